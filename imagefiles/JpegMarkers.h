// The marker segments of the JPEG files we read and write.
#pragma once

#include <cstddef>
#include <cstdint>

// APP1 segments start with these signatures (their NULs included).
inline constexpr char kExifSignature[] = "Exif\0";  // "Exif" and two NULs
inline constexpr std::size_t kExifSignatureBytes = 6;
inline constexpr char kXmpSignature[] = "http://ns.adobe.com/xap/1.0/";  // followed by a NUL
inline constexpr std::size_t kXmpSignatureBytes = sizeof kXmpSignature;
// A marker segment holds at most 65533 bytes after its length.
inline constexpr std::size_t kMaxMarkerBytes = 65533;

// Where the parts of a one-scan JPEG datastream lie.
struct JpegScanPlace {
    std::size_t frameHeader = 0;   // the SOF marker's first byte
    std::size_t entropyBegin = 0;  // the first byte after the SOS segment
    std::size_t entropyEnd = 0;    // the EOI marker's first byte
};

// Finds them in DATA, a whole datastream of one baseline scan as libjpeg
// writes it; false when it is not one.
bool LocateJpegScan(const uint8_t* data, std::size_t size, JpegScanPlace& place);
