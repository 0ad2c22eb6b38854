#include "platform/LocalPath.h"

std::string LocalPath(const std::string& path) { return path; }
