// Undoing PNG's row filters (None, Sub, Up, Average, Paeth) in place.
#pragma once

#include <cstddef>
#include <cstdint>

// `data` holds `rows` rows, each a filter type byte followed by `rowBytes`
// filtered bytes; afterwards its first rows * rowBytes bytes are the
// unfiltered rows, packed. Each output row is written below the filtered
// row it comes from, so nothing is read after it is overwritten. False for
// an unknown filter type (the data is then partly unfiltered).
bool UnfilterPngRowsInPlace(uint8_t* data, int32_t rows, std::size_t rowBytes, std::size_t pixelBytes);
