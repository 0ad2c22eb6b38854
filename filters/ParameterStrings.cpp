#include "filters/ParameterStrings.h"

#include "filters/FilterParameter.h"
#include "platform/ResourceStrings.h"

void LoadParameterStrings(FilterParameter& parameter, ParameterStrings strings) {
    parameter.label = LoadResourceString(strings.label);
    parameter.hint = LoadResourceString(strings.hint);
}
