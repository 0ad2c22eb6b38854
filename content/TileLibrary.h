// Reader of tile libraries (*.ptl, content/TileLibraryFormat.h), the tiles of
// the Patchwork effect.
//
// `open` reads the header, the whole directory with every thumbnail, and
// builds a 100 × 100 preview from the first tile; full tiles are decoded one
// at a time later, from the file, which stays open until the library goes.
//
// Every malformed file gives {-1, 10033}, a file that cannot be opened
// {-1, 10032}, out of memory -108. Libraries without tiles, with thumbnail
// or tile sizes below one pixel, or whose directory or tile size is more
// than the file can hold are refused before anything is allocated for them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/Progress.h"
#include "base/ResultCode.h"
#include "image/Image.h"
#include "platform/FileStreams.h"

struct TileDirectoryEntry {
    int32_t dataOffset = 0;                // from the start of the data area
    std::vector<unsigned char> thumbnail;  // tw × th pixels, red, green, blue
};

class TileLibrary {
public:
    // Nothing is read until `open`.
    explicit TileLibrary(std::string path) : path_(std::move(path)) {}

    ResultCode open();

    // Decodes the tile whose stream starts `dataOffset` bytes into the data
    // area into `destination`, a three-channel image of the tile size.
    // Asks `abort` once, before decoding. A position outside the file is
    // damage: {-1, 10033}.
    ResultCode readTile(int32_t dataOffset, Image<unsigned char>& destination, Abort_Tester* abort,
                        ProgressUpdateSink* sink, double start, double end);
    // The same for the first tile of the directory.
    ResultCode readFirstTile(Image<unsigned char>& destination, Abort_Tester* abort, ProgressUpdateSink* sink,
                             double start, double end);

    const std::string& path() const { return path_; }
    int32_t tileCount() const { return tileCount_; }
    int32_t tileWidth() const { return tileWidth_; }
    int32_t tileHeight() const { return tileHeight_; }
    int32_t thumbnailWidth() const { return thumbnailWidth_; }
    int32_t thumbnailHeight() const { return thumbnailHeight_; }
    const std::vector<TileDirectoryEntry>& directory() const { return directory_; }
    // The first tile scaled to 100 × 100 pixels, or null.
    const Image<unsigned char>* preview() const { return preview_.get(); }

private:
    ResultCode ReadHeader();
    ResultCode ReadDirectory();
    ResultCode BuildPreview();

    std::string path_;
    FileStream file_;
    uint64_t fileLength_ = 0;
    uint64_t directoryStart_ = 0;
    uint64_t dataAreaStart_ = 0;
    int32_t tileCount_ = 0;
    int32_t tileWidth_ = 0;
    int32_t tileHeight_ = 0;
    int32_t thumbnailWidth_ = 0;
    int32_t thumbnailHeight_ = 0;
    std::vector<TileDirectoryEntry> directory_;
    std::unique_ptr<Image<unsigned char>> preview_;
};
