// PNG chunks: the whole chunk as written, the walk over a file's chunks, and
// the chunks that carry a photograph's metadata (iCCP, eXIf, iTXt with XMP,
// pHYs), written and read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "imagefiles/ImageMetadata.h"

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value);
uint32_t ReadBigEndian(const uint8_t* bytes);

// A whole chunk: length, type, data, CRC of type and data.
std::vector<uint8_t> PngChunk(const char* type, const uint8_t* data, std::size_t length);

// The metadata chunks that go between IHDR and the image data.
std::vector<uint8_t> PngMetadataChunks(const ImageMetadata& metadata);

struct PngChunkView {
    std::string type;
    const uint8_t* data = nullptr;
    uint32_t length = 0;
};

// The chunks of the PNG file in `data`, up to and with IEND. Empty, with
// `problem`, when the signature is wrong, a chunk runs past the end or a
// critical chunk's CRC is wrong; an ancillary chunk with a wrong CRC is left out.
std::vector<PngChunkView> PngChunks(const uint8_t* data, std::size_t size, std::string& problem);

// Takes what `chunk` says into `metadata` when it is one of the metadata
// chunks; a damaged one is left out, with a line for the user in `notes`.
void ReadPngMetadataChunk(const PngChunkView& chunk, ImageMetadata& metadata, std::vector<std::string>& notes);
