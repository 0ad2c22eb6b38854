#include "platform/WholeFiles.h"

#include <filesystem>
#include <system_error>

#include "platform/FileSystemPath.h"
#include "platform/ReadOnlyFile.h"

ReadFileStatus ReadWholeFile(const std::string& path, std::size_t limit, std::string& bytes) {
    bytes.clear();
    ReadOnlyFile file;
    if (!file.Open(path)) return ReadFileStatus::kCannotOpen;
    uint64_t size = 0;
    if (!file.Size(size)) return ReadFileStatus::kReadError;
    if (size > limit) return ReadFileStatus::kTooLarge;
    std::string read(static_cast<std::size_t>(size), '\0');
    const int64_t got = file.Read(read.data(), read.size());
    if (got < 0) return ReadFileStatus::kReadError;
    read.resize(static_cast<std::size_t>(got));  // shorter when the file shrank meanwhile
    bytes.swap(read);
    return ReadFileStatus::kRead;
}

void RemoveStaleTemporaryFile(const std::string& path) {
    const std::filesystem::path file = PathFromUtf8(path);
    std::error_code error;
    const auto written = std::filesystem::last_write_time(file, error);
    if (error || std::filesystem::file_time_type::clock::now() - written < kStaleTemporaryFileAge) return;
    std::filesystem::remove(file, error);
}
