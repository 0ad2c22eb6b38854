#include "cli/ImageFilesOutput.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

// A name unlikely to be in use: the clock and a per-process counter, so that
// two writes into one folder, even at once, pick different names.
std::string TemporaryName(unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return ".dapple-" + std::to_string(static_cast<unsigned long long>(ticks)) + "-" +
           std::to_string(counter.fetch_add(1)) + "-" + std::to_string(attempt) + ".tmp";
}

std::string SystemMessage(int error) { return error != 0 ? std::strerror(error) : "unknown system error"; }

}  // namespace

ReplacingOutputFile::ReplacingOutputFile(std::string destination) : destination_(std::move(destination)) {}

ReplacingOutputFile::~ReplacingOutputFile() {
    if (stream_ != nullptr) std::fclose(stream_);
    if (!committed_ && !temporary_.empty()) {
        std::error_code ignored;
        fs::remove(temporary_, ignored);
    }
}

std::string ReplacingOutputFile::Open() {
    const fs::path folder = fs::path(destination_).parent_path();
    constexpr unsigned kAttempts = 16;
    for (unsigned attempt = 0; attempt < kAttempts; ++attempt) {
        const std::string candidate = (folder / TemporaryName(attempt)).string();
        std::error_code error;
        if (fs::exists(candidate, error)) continue;
        errno = 0;
        stream_ = std::fopen(candidate.c_str(), "wb");
        if (stream_ == nullptr) return SystemMessage(errno);
        temporary_ = candidate;
        return {};
    }
    return "no free temporary file name in the output folder";
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

    std::error_code error;
    fs::rename(temporary_, destination_, error);
    if (error) return "cannot replace the file: " + error.message();
    committed_ = true;
    return {};
}
