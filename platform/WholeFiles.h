// Small files read and written whole by UTF-8 path. A file is replaced
// atomically: the new bytes go to a temporary file in the same folder,
// which then takes the file's name, so that a failure at any point leaves
// the old file as it was and never a part of the new one.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

// Temporary files of WriteFileAtomically begin with this character; folder
// listings that show entries to the user pass over such names.
inline constexpr char kTemporaryFilePrefix = '.';

// A save cut off (the process killed, the power lost) leaves its temporary
// file behind; the folder's next reader removes it once it is this old, so
// that a save still at work is left alone.
inline constexpr std::chrono::hours kStaleTemporaryFileAge{24};

// Removes the temporary file at `path` when it was last written more than
// kStaleTemporaryFileAge ago; leaves it otherwise, or when it cannot.
void RemoveStaleTemporaryFile(const std::string& path);

enum class ReadFileStatus {
    kRead,
    kCannotOpen,  // missing, a folder, or no permission
    kTooLarge,    // longer than the limit
    kReadError,
};

// Reads the whole file at `path` into `bytes` when it holds at most
// `limit` bytes; `bytes` is left empty otherwise.
ReadFileStatus ReadWholeFile(const std::string& path, std::size_t limit, std::string& bytes);

// Replaces (or creates) the file at `path` with `bytes`, atomically. False
// when the folder cannot take the file; the old file is then unchanged.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);
