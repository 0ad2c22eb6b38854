// The product version shown in the about box.
#pragma once

#include <string>

// The product version of the plug-in module followed by " Release", such
// as "1.0.0 Release": on Windows from the version block of the resource
// module's file, elsewhere the version the build was configured with.
// Empty when the version cannot be read.
std::string ProductVersion();
