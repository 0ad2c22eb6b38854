// Optimal Huffman tables for a JPEG image coded in strips on several threads.
// libjpeg builds optimal tables only for an image it codes whole, on one
// thread. Strips cut at restart markers can be coded in parallel, but they
// share one set of tables, so the symbols of every strip are counted first:
// each strip is coded once with libjpeg's standard tables, the symbols are
// read back from that data, and the tables are built from the sums exactly as
// libjpeg builds its own (so the file is the one libjpeg would write itself).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// A table as a JPEG DHT segment holds it: how many codes there are of each
// length 1..16 (codesOfLength[0] unused), then the symbols in code order.
struct JpegHuffmanTable {
    std::array<uint8_t, 17> codesOfLength{};
    std::array<uint8_t, 256> symbols{};
};

// How often each of the 256 symbols occurs.
using JpegSymbolCounts = std::array<uint64_t, 256>;

// The blocks of one interleaved, baseline scan: each MCU holds one block of
// each component (no subsampling), each coded with its component's tables.
struct JpegScanShape {
    int blocksPerMcu = 1;               // 1 grey, 3 colour
    std::array<int, 4> tableOfBlock{};  // 0 or 1
    uint64_t mcusPerInterval = 1;       // between restart markers
    uint64_t mcuCount = 0;
};

struct JpegTableCounts {
    std::array<JpegSymbolCounts, 2> dc{};
    std::array<JpegSymbolCounts, 2> ac{};

    JpegTableCounts& operator+=(const JpegTableCounts& other);
};

// Adds to COUNTS the symbols of DATA, a scan's entropy-coded segments with
// their restart markers, coded with the tables DC and AC. False when the data
// does not follow SHAPE or uses a code the tables do not hold.
bool CountJpegSymbols(const uint8_t* data, std::size_t size, const JpegScanShape& shape,
                      const std::array<JpegHuffmanTable, 2>& dc, const std::array<JpegHuffmanTable, 2>& ac,
                      JpegTableCounts& counts);

// The optimal table for COUNTS with codes of at most 16 bits and none of all
// one bits, by the procedure of the JPEG standard's Annex K.2 (ties broken as
// libjpeg breaks them).
JpegHuffmanTable OptimalJpegHuffmanTable(const JpegSymbolCounts& counts);
