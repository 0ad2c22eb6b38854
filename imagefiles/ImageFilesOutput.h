// An output file written under a temporary name in the destination's folder
// and moved over the destination only once complete, so that a failed write
// leaves neither a partial file nor a damaged old one. Once the user has
// interrupted the command nothing more is committed, and the temporary file
// is registered for removal should a second interrupt end the process.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "platform/Interrupts.h"

// A path for a new file in `destination`'s folder that no file has: a hidden
// name, unique in this process and unlikely elsewhere, ending in `ending`.
// Empty when no such name is found.
std::string TemporaryPathBeside(const std::string& destination, const std::string& ending);

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
    // renames it over the destination. Empty on success, else what went wrong
    // (also after an interrupt).
    std::string Commit();

private:
    std::string destination_;
    std::string temporary_;
    std::FILE* stream_ = nullptr;
    bool committed_ = false;
    std::unique_ptr<TemporaryFileRegistration> registration_;
};
