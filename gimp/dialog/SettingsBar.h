// The settings row of the dialog: a drop-down list of the effect's factory
// settings and the user's own (the same files the command reads and
// writes), which loads the one chosen, and Save… to keep the current values
// under a name.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <string>
#include <vector>

#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"
#include "settings/DappleSettingsArchiver.h"
#include "settings/SettingsFolders.h"

class SettingsBar {
public:
    // `set` is built over `block`. Loading runs `before` (the preview stops)
    // and then `after` (the controls show the values, a new preview).
    SettingsBar(const Filter& effect, ParameterSet& set, ParameterBlock& block, std::function<void()> before,
                std::function<void()> after);
    SettingsBar(const SettingsBar&) = delete;
    SettingsBar& operator=(const SettingsBar&) = delete;

    GtkWidget* Widget() const { return box_; }
    // Loads a setting by its entry: false, with a message, when it cannot
    // be read; the values stay then.
    bool Load(const std::string& name, bool fromUser);
    // Saves the current values under `name` (asking before replacing one).
    bool Save(const std::string& name);
    // The values are no longer the setting's: the list names none.
    void Forget();

private:
    struct Entry {
        std::string name;
        bool fromUser = false;
    };
    void Refill();
    static void Chosen(GtkComboBox* combo, gpointer self);
    static void SaveClicked(GtkButton* button, gpointer self);

    const Filter& effect_;
    ParameterSet& set_;
    ParameterBlock& block_;
    RunningSettingsFolders folders_;
    DappleSettingsArchiver archiver_;
    std::function<void()> before_;
    std::function<void()> after_;
    std::vector<Entry> entries_;  // one per row of the list; an empty name: a separator
    GtkWidget* box_ = nullptr;
    GtkWidget* combo_ = nullptr;
    bool filling_ = false;
};
