// The user's own data folder for named settings and the options file:
// "Mornebrook/Dapple" inside the user's application-data folder (Windows)
// or data folder ($XDG_DATA_HOME, else ~/.local/share).
#pragma once

#include "base/ResultCode.h"

#include <string>

// The folder with its trailing separator, as ModuleFolder gives its folder.
// It need not exist yet (see CreateUserDataFolder). Empty when the base
// folder is unknown (no usable $XDG_DATA_HOME and no home folder).
std::string UserDataFolder();

// Creates the user data folder and any missing folder above it. Success
// when it exists afterwards (also when it existed before); Failure() with
// no message id when the base folder is unknown or a folder cannot be
// made (no permission, a file in the way).
ResultCode CreateUserDataFolder();
