// The one-line report of a writer that could not write its file.
#pragma once

#include <string>

inline std::string WriteFailure(const std::string& path, const std::string& problem) {
    return "cannot write \"" + path + "\": " + problem;
}
