#include "imagefiles/ImageFilesOutput.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/FileStreams.h"
#include "platform/FileSystemPath.h"

namespace fs = std::filesystem;

namespace {

// A name unlikely to be in use: the clock and a per-process counter, so that
// two writes into one folder, even at once, pick different names.
std::string TemporaryName(unsigned attempt, const std::string& ending) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return ".dapple-" + std::to_string(static_cast<unsigned long long>(ticks)) + "-" +
           std::to_string(counter.fetch_add(1)) + "-" + std::to_string(attempt) + ending;
}

std::string SystemMessage(int error) { return error != 0 ? std::strerror(error) : "unknown system error"; }

}  // namespace

std::string TemporaryPathBeside(const std::string& destination, const std::string& ending) {
    const fs::path folder = PathFromUtf8(destination).parent_path();
    constexpr unsigned kAttempts = 16;
    for (unsigned attempt = 0; attempt < kAttempts; ++attempt) {
        const fs::path candidate = folder / TemporaryName(attempt, ending);
        std::error_code error;
        if (!fs::exists(candidate, error)) return Utf8FromPath(candidate);
    }
    return std::string();
}

ReplacingOutputFile::ReplacingOutputFile(std::string destination) : destination_(std::move(destination)) {}

ReplacingOutputFile::~ReplacingOutputFile() {
    if (stream_ != nullptr) std::fclose(stream_);
    if (!committed_ && !temporary_.empty()) {
        std::error_code ignored;
        fs::remove(PathFromUtf8(temporary_), ignored);
    }
    registration_.reset();
}

std::string ReplacingOutputFile::Open() {
    const std::string candidate = TemporaryPathBeside(destination_, ".tmp");
    if (candidate.empty()) return "no free temporary file name in the output folder";
    // Registered before it exists, so that no moment passes unguarded.
    registration_ = std::make_unique<TemporaryFileRegistration>(candidate);
    errno = 0;
    stream_ = OpenFileForWriting(candidate);
    if (stream_ == nullptr) {
        registration_.reset();
        return SystemMessage(errno);
    }
    temporary_ = candidate;
    return {};
}

std::string ReplacingOutputFile::Commit() {
    if (stream_ == nullptr) return "the output file is not open";
    errno = 0;
    const bool flushed = std::fflush(stream_) == 0 && std::ferror(stream_) == 0;
    const int flushError = errno;
    const bool closed = std::fclose(stream_) == 0;
    const int closeError = errno;
    stream_ = nullptr;
    if (!flushed) return "write error: " + SystemMessage(flushError);
    if (!closed) return "write error: " + SystemMessage(closeError);
    if (InterruptRequested()) return "interrupted";

    std::error_code error;
    fs::rename(PathFromUtf8(temporary_), PathFromUtf8(destination_), error);
    if (error) return "cannot replace the file: " + error.message();
    committed_ = true;
    registration_.reset();
    return {};
}
