// Joining raw deflate streams that were compressed separately (each band of a
// PNG on its own core) into one stream. libdeflate compresses a whole buffer
// into a finished stream, whose last block carries the final flag; a piece
// that others follow needs that flag cleared and its end brought to a byte
// boundary, as zlib's sync flush leaves it.
#pragma once

#include <cstdint>
#include <vector>

// Walks the blocks of the finished raw deflate stream in `piece`, clears the
// final flag of its last block and appends an empty stored block, so that
// the next piece may follow on the next byte. False, with `piece` unchanged,
// when the data is not a finished deflate stream.
bool MakeDeflatePieceJoinable(std::vector<uint8_t>& piece);
