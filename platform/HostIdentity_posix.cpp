#include "platform/HostIdentity.h"

#include <unistd.h>

std::string HostExecutablePath() {
    // readlink does not say whether it cut the name short: grow until the
    // name leaves room to spare.
    for (std::size_t size = 256; size <= 65536; size *= 2) {
        std::string path(size, '\0');
        const ssize_t length = readlink("/proc/self/exe", path.data(), size);
        if (length <= 0) return std::string();
        if (static_cast<std::size_t>(length) < size) {
            path.resize(static_cast<std::size_t>(length));
            return path;
        }
    }
    return std::string();
}
