// The controls of an effect's parameters, one row each, built from the
// parameter list and labelled, ranged and explained from the same
// parameter texts as the command: sliders with their units (a scale and a
// spin button), drop-down lists, checkboxes, colour buttons, the random
// seed with its button, and the content chooser. An effect with several
// pages gets a notebook.
//
// A change the user makes reaches the block in three steps: `before` (the
// preview worker stops, as it reads the block), the value is written, then
// `after` (control states, a new preview).
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <vector>

#include "filters/ParameterSet.h"
#include "gimp/dialog/ContentChooser.h"

class ParameterWidgets {
public:
    ParameterWidgets(ParameterSet& set, ContentChooserSource& content, std::function<void()> before,
                     std::function<void()> after);
    ~ParameterWidgets();
    ParameterWidgets(const ParameterWidgets&) = delete;
    ParameterWidgets& operator=(const ParameterWidgets&) = delete;

    GtkWidget* Widget() const { return root_; }
    // Shows the values the block holds now, without counting as a change.
    void ShowValues();
    // Makes each row sensitive as its parameter's `enabled` says.
    void ShowStates();

    struct Row;
    struct Builder;

private:
    std::unique_ptr<Builder> builder_;
    ParameterSet& set_;
    GtkWidget* root_ = nullptr;
    std::vector<std::unique_ptr<Row>> rows_;
};
