// libdeflate's compressors and decompressors, freed when they go. Allocation
// failure throws std::bad_alloc, as for the pixels.
#pragma once

#include <libdeflate.h>

#include <memory>
#include <new>

struct DeflateHandleCloser {
    void operator()(libdeflate_compressor* compressor) const { libdeflate_free_compressor(compressor); }
    void operator()(libdeflate_decompressor* decompressor) const { libdeflate_free_decompressor(decompressor); }
};

using Compressor = std::unique_ptr<libdeflate_compressor, DeflateHandleCloser>;
using Decompressor = std::unique_ptr<libdeflate_decompressor, DeflateHandleCloser>;

inline Compressor NewCompressor(int level) {
    Compressor compressor(libdeflate_alloc_compressor(level));
    if (compressor == nullptr) throw std::bad_alloc();
    return compressor;
}

inline Decompressor NewDecompressor() {
    Decompressor decompressor(libdeflate_alloc_decompressor());
    if (decompressor == nullptr) throw std::bad_alloc();
    return decompressor;
}
