// Whether a chosen file can serve as an effect's content, asked before the
// choice is kept: a file that fails is never stored, and the user is told
// with message 10033 that it cannot be used.
#pragma once

#include <string>

#include "base/FilterKind.h"
#include "base/ResultCode.h"

// Opens the file at `fullPath` with the reader of `kind`'s content:
//   Border Stamp, Fill Stamp  a picture tube (header, blocks, preview);
//   Frame                     the same, and its grid must be 3 × 3 cells,
//                             the only grid the Frame effect draws with;
//   Patchwork                 a tile library (header, directory, first tile);
//   Resurface                 a JPEG texture: one-channel grey, decoded whole.
// Success when the reader accepts it; otherwise the reader's failure (-1
// with 10032 when the file cannot be opened, 10033 when it is not a file of
// the kind, -108 out of memory). -1 without a message for Edges and any
// other kind, which take no content file.
ResultCode validate(const std::string& fullPath, FilterKind kind);

// The same check with the reason for a refusal in words, for a user who
// named the file: empty when the file can be used, else why not ("a frame is
// a picture tube of 3 x 3 cells; this one has 4 x 2", "a texture is a grey
// JPEG of one component; this one has 3", or the reader's message).
std::string ContentFileProblem(const std::string& fullPath, FilterKind kind);
