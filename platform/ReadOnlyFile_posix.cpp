#include "platform/ReadOnlyFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "platform/LocalPath.h"

bool ReadOnlyFile::Open(const std::string& path) {
    Close();
    const std::string local = LocalPath(path);
    int fd = -1;
    do {
        fd = ::open(local.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return false;
    struct stat status {};
    // A folder opens for reading on some systems but is no file.
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return false;
    }
    handle_ = fd;
    return true;
}

void ReadOnlyFile::Close() {
    if (handle_ == kNoHandle) return;
    ::close(static_cast<int>(handle_));
    handle_ = kNoHandle;
}

int64_t ReadOnlyFile::Read(void* buffer, std::size_t count) {
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(static_cast<int>(handle_), bytes + done, count - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<int64_t>(done);
}

bool ReadOnlyFile::Seek(uint64_t offset) {
    if (offset > static_cast<uint64_t>(INT64_MAX)) return false;
    return ::lseek(static_cast<int>(handle_), static_cast<off_t>(offset), SEEK_SET) != static_cast<off_t>(-1);
}

bool ReadOnlyFile::Size(uint64_t& size) const {
    struct stat status {};
    if (::fstat(static_cast<int>(handle_), &status) != 0 || status.st_size < 0) return false;
    size = static_cast<uint64_t>(status.st_size);
    return true;
}
