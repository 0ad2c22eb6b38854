#include "platform/FileStreams.h"

#include <sys/types.h>

#include "platform/LocalPath.h"

std::FILE* OpenFileForReading(const std::string& path) { return std::fopen(LocalPath(path).c_str(), "rb"); }

std::FILE* OpenFileForWriting(const std::string& path) { return std::fopen(LocalPath(path).c_str(), "wb"); }

bool SeekFile(std::FILE* stream, uint64_t offset) {
    if (offset > static_cast<uint64_t>(INT64_MAX)) return false;
    return fseeko(stream, static_cast<off_t>(offset), SEEK_SET) == 0;
}

bool FileLength(std::FILE* stream, uint64_t& length) {
    const off_t here = ftello(stream);
    if (here < 0 || fseeko(stream, 0, SEEK_END) != 0) return false;
    const off_t end = ftello(stream);
    if (fseeko(stream, here, SEEK_SET) != 0 || end < 0) return false;
    length = static_cast<uint64_t>(end);
    return true;
}

std::FILE* BinaryStandardInput() { return stdin; }

std::FILE* BinaryStandardOutput() { return stdout; }
