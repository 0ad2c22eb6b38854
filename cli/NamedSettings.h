// Finding the setting a command line names: a user setting of the effect,
// else a factory setting of that name, else a settings file by path.
#pragma once

#include <string>

#include "filters/Filter.h"
#include "settings/SettingsArchiver.h"

struct NamedSetting {
    std::string text;         // the file's bytes
    std::string description;  // "user setting 'Soft'", "factory setting 'Soft'" or "file PATH"
    bool fromUser = false;    // a user setting
};

// False, with `problem` saying what was looked for, when there is no such
// setting or file, or it cannot be read.
bool FindNamedSetting(const SettingsArchiver& archiver, const Filter& effect, const std::string& name,
                      NamedSetting& found, std::string& problem);
