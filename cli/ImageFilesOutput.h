// An output file written under a temporary name in the destination's folder
// and moved over the destination only once complete, so that a failed write
// leaves neither a partial file nor a damaged old one.
#pragma once

#include <cstdio>
#include <string>

class ReplacingOutputFile {
public:
    explicit ReplacingOutputFile(std::string destination);
    // Removes the temporary file unless it was committed.
    ~ReplacingOutputFile();
    ReplacingOutputFile(const ReplacingOutputFile&) = delete;
    ReplacingOutputFile& operator=(const ReplacingOutputFile&) = delete;

    // Creates the temporary file. Empty on success, else what went wrong.
    std::string Open();
    std::FILE* Stream() const { return stream_; }
    // Closes the temporary file, checks that every byte reached it, and
    // renames it over the destination. Empty on success, else what went wrong.
    std::string Commit();

private:
    std::string destination_;
    std::string temporary_;
    std::FILE* stream_ = nullptr;
    bool committed_ = false;
};
