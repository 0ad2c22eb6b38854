// Content files come from users and from the internet, so a size that a file
// states is checked against the file's own length before a pixel buffer is
// allocated for it: a few bytes claiming a picture of gigabytes are refused
// as damaged, not met with an allocation attempt.
#pragma once

#include <cstdint>

// No content picture is larger than this (1 GiB as four-channel pixels).
constexpr uint64_t kMaxContentPixels = uint64_t(1) << 28;

// How many pixels one stored byte may stand for. zlib's deflate cannot go
// beyond about 1032 to 1 and Huffman-coded JPEG beyond a few hundred pixels
// per byte; the margin admits flat pictures in arithmetic-coded JPEG, and
// images somewhat larger than their stored layer.
constexpr uint64_t kMaxPixelsPerStoredByte = 4096;

// True when a picture of width × height pixels (both at least 1) is a size
// that `storedBytes` bytes of file can plausibly describe.
bool IsPlausiblePictureSize(int64_t width, int64_t height, uint64_t storedBytes);
