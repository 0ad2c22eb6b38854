// One libjpeg decompressor with its error manager and data source, for the
// loaders of JpegLoader.h only.
//
// libjpeg reports a fatal error through a hook that must not return. Ours
// jumps back into the decompressor's own frame, which then throws
// Vt_JPEG_Error: the exception starts in C++ code and never unwinds through
// libjpeg's C frames, which need not carry unwind tables (they do not in
// the 32-bit Windows build).
//
// Warnings that mean lost picture data (the stream ends early, corrupt
// entropy-coded data, a marker in the middle of the data) count as fatal
// errors too, so that a damaged file is refused rather than decoded with
// grey blocks in place of what is missing.
#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

class JpegDecompressor {
public:
    // Throws Vt_JPEG_Error when libjpeg cannot create the decompressor.
    JpegDecompressor();
    ~JpegDecompressor();
    JpegDecompressor(const JpegDecompressor&) = delete;
    JpegDecompressor& operator=(const JpegDecompressor&) = delete;

    // Reads the datastream from `stream`, from its current position on.
    void UseFile(std::FILE* stream);
    // Reads the datastream from `length` bytes at `buffer`, which must stay
    // until the decompressor goes.
    void UseMemory(const unsigned char* buffer, std::size_t length);

    // Every call below throws Vt_JPEG_Error on a fatal decoder error.
    // jpeg_read_header, requiring an image: JPEG_HEADER_OK or another result.
    int ReadHeader();
    void Start();
    // Reads the next scan line into `row`; false when the decoder gave none.
    bool ReadScanline(unsigned char* row);
    void Finish();

    const jpeg_decompress_struct& Info() const { return info_; }

private:
    struct ErrorManager {
        jpeg_error_mgr standard;  // first: libjpeg hands back a pointer to it
        std::jmp_buf resume;
        void (*standardMessage)(j_common_ptr, int);
    };
    struct MemorySource {
        jpeg_source_mgr manager;  // first, as above
        const unsigned char* buffer;
        std::size_t length;
    };

    template <typename Call>
    void Guarded(Call call);

    static void OnFatalError(j_common_ptr info);
    static void OnMessage(j_common_ptr info, int level);
    static void InitMemorySource(j_decompress_ptr info);
    static boolean FillMemorySource(j_decompress_ptr info);
    static void SkipMemorySource(j_decompress_ptr info, long count);
    static void TerminateMemorySource(j_decompress_ptr info);

    jpeg_decompress_struct info_{};
    ErrorManager errors_{};
    MemorySource memory_{};
};
