#include "platform/WholeFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/LocalPath.h"

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }
    bool Close() {
        if (fd_ < 0) return true;
        const bool closed = close(fd_) == 0;
        fd_ = -1;
        return closed;
    }

private:
    int fd_;
};

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// "folder/.name.XXXXXX" for mkstemp.
std::vector<char> TemporaryTemplate(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string pattern = folder + kTemporaryFilePrefix + name + ".XXXXXX";
    return std::vector<char>(pattern.c_str(), pattern.c_str() + pattern.size() + 1);
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string local = LocalPath(path);
    std::vector<char> temporary = TemporaryTemplate(local);
    FileDescriptor file(mkstemp(temporary.data()));
    if (file.Get() < 0) return false;
    const bool written = fchmod(file.Get(), 0644) == 0 && WriteAll(file.Get(), bytes) && fsync(file.Get()) == 0;
    if (!file.Close() || !written || std::rename(temporary.data(), local.c_str()) != 0) {
        unlink(temporary.data());
        return false;
    }
    return true;
}
