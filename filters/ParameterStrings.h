// The string resources that label a parameter in the dialog: the text
// beside its control and its one line of help.
#pragma once

class FilterParameter;

struct ParameterStrings {
    int label;
    int hint;
};

// Loads both texts into the parameter's label and hint.
void LoadParameterStrings(FilterParameter& parameter, ParameterStrings strings);
