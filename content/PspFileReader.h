// Reader of picture tubes (*.tub) and frame files (*.rfr): Paint Shop Pro
// image files of major version 3 or 5 (content/PspFormat.h).
//
// Reading is two calls. `open` reads the header, lists the top-level blocks,
// keeps the tube grid and the image size, and for version 5 decodes the JPEG
// preview composite; it is cheap, so that choosers can open many files.
// `readImage` later decodes the first layer's red, green, blue and
// transparency channels (zlib-compressed; the only compression read).
//
// Every malformed, truncated or unsupported file gives {-1, 10033}, out of
// memory -108; read failures never leave the reader. Beyond what the format
// itself demands, files are refused whose column or row count is below 1 or
// above the image's width or height, whose image size is absurd for the
// file's length, whose layer rectangle leaves the image, or whose channel
// holds other than one byte per pixel of that rectangle.
//
// Callers open the file with VtFile (failure: message 10032), construct the
// reader, `open`, allocate a four-channel destination of width × height,
// `readImage`, cut the cells with TubeCellGrid, then drop the reader and
// close the file. The reader never closes the file.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/Progress.h"
#include "base/ResultCode.h"
#include "content/VtFile.h"
#include "image/Image.h"

// One top-level block of the file.
struct PspBlockEntry {
    uint64_t bodyOffset = 0;  // first byte after the block header
    uint16_t id = 0;
    uint32_t initialLength = 0;  // version 3 only, else 0
    uint32_t totalLength = 0;    // bytes after the block header
};

class PspFileReader {
public:
    explicit PspFileReader(VtFile& file) : file_(file) {}

    ResultCode open();

    // Decodes the first layer into `destination`: width × height pixels of
    // red, green, blue and alpha, allocated by the caller (-1 without a
    // message when it is not). Pixels outside the layer's rectangle become 0
    // in all four channels. Progress goes to `sink` before each of the four
    // channels, from `start` to `end`.
    ResultCode readImage(Image<unsigned char>& destination, ProgressUpdateSink* sink, double start, double end);

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int32_t columns() const { return columns_; }
    int32_t rows() const { return rows_; }
    bool isVersion5() const { return version5_; }
    // Version 5 files only: the preview composite, red, green and blue.
    const Image<unsigned char>* previewComposite() const { return preview_.get(); }
    const std::vector<PspBlockEntry>& directory() const { return directory_; }

private:
    // The rectangle and channel count of the first layer.
    struct LayerInfo {
        int32_t left = 0, top = 0, right = 0, bottom = 0;
        uint16_t channelCount = 0;
    };
    struct BlockHeader {
        uint16_t id = 0;
        uint32_t initialLength = 0;
        uint32_t totalLength = 0;
    };

    ResultCode ReadHeaderAndDirectory();
    ResultCode ReadTubeData();
    ResultCode ReadImageAttributes();
    ResultCode ReadPreviewComposite();
    ResultCode ReadChosenComposite(int32_t width, int32_t height);
    ResultCode ReadLayerInfo(LayerInfo& layer);
    ResultCode ReadChannel(const LayerInfo& layer, Image<unsigned char>& destination);

    // Reads a block header at the current position; false when its marker
    // is wrong.
    bool ReadBlockHeader(BlockHeader& header);
    // Positions at the body of the first block with `id`; false when none.
    bool SeekToFirstBlock(uint16_t id);

    bool version5_ = false;
    VtFile& file_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t columns_ = 0;
    int32_t rows_ = 0;
    std::unique_ptr<Image<unsigned char>> preview_;
    std::vector<PspBlockEntry> directory_;
};
