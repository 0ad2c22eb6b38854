#include "content/ContentReference.h"

#include <cstring>

std::string ReferencePath(const ContentReference& reference) {
    const void* end = std::memchr(reference.path, '\0', sizeof reference.path);
    const std::size_t length = end == nullptr
                                   ? sizeof reference.path
                                   : static_cast<std::size_t>(static_cast<const char*>(end) - reference.path);
    return std::string(reference.path, length);
}

bool SetReferencePath(ContentReference& reference, const std::string& path) {
    if (path.size() > kContentReferenceMaxPath || path.find('\0') != std::string::npos) return false;
    std::memset(reference.path, 0, sizeof reference.path);
    std::memcpy(reference.path, path.data(), path.size());
    return true;
}
