// The process's environment variables, as UTF-8 text on every system.
#pragma once

#include <string>

// The value of the variable `name`; empty when it is not set.
std::string EnvironmentValue(const char* name);
