#include "platform/LocalPath.h"

#include <algorithm>

std::string LocalPath(const std::string& path) {
    std::string local = path;
    std::replace(local.begin(), local.end(), '\\', '/');
    return local;
}
