#include "controls/PathShortening.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

namespace {

// The position just after the `n`th `separator` of `text`, or npos.
std::size_t After(const std::string& text, char separator, int n) {
    std::size_t position = 0;
    for (int i = 0; i < n; ++i) {
        position = text.find(separator, position);
        if (position == std::string::npos) return std::string::npos;
        ++position;
    }
    return position;
}

}  // namespace

std::string ShortenedPath(const std::string& path, const std::function<bool(const std::string&)>& fits) {
    if (fits(path)) return path;
    const bool backslashes = path.find('\\') != std::string::npos;
    const char separator = backslashes ? '\\' : ':';
    if (!backslashes && path.find(':') == std::string::npos) return path;
    // A drive path keeps its drive, a network path its server.
    const bool drive = !backslashes || path.find(':') != std::string::npos;
    std::size_t headEnd = After(path, separator, drive ? 1 : 3);
    if (headEnd == std::string::npos) headEnd = After(path, separator, 1);
    const std::string head = path.substr(0, headEnd) + "..." + separator;
    std::string tail = path.substr(After(path, separator, 1));
    for (;;) {
        const std::string shown = head + tail;
        const std::size_t folderEnd = tail.find(separator);
        // Only the file name left: shown even if it does not fit.
        if (fits(shown) || folderEnd == std::string::npos) return shown;
        tail.erase(0, folderEnd + 1);
    }
}

std::string PathWithin(const std::string& path, const std::string& folder) {
    std::string head = folder;
    if (head.empty()) return path;
    if (head.back() != '\\') head += '\\';
    if (path.size() <= head.size()) return path;
    const auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    if (!std::equal(head.begin(), head.end(), path.begin(), same)) return path;
    return path.substr(head.size());
}
