// The content readers read files, so each fuzz input is written to one
// scratch file of the process first (in memory-backed /dev/shm when there is
// one), which goes when the process ends normally.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Writes `size` bytes to the scratch file and returns its path.
const std::string& WriteFuzzInput(const uint8_t* data, std::size_t size);

// Pictures larger than this are opened but not decoded: the readers treat
// every size alike, and megabytes of pixels per input would slow the search.
constexpr uint64_t kMaxFuzzDecodePixels = uint64_t(1) << 18;
