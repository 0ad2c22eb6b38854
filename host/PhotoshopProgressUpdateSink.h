// Progress of a render cut into pieces, reported to the host's progress
// callback: each piece is worth unitsPerPiece units of the whole.
#pragma once

#include <cstdint>

#include "base/Progress.h"
#include "pluginapi/PluginInterface.h"

class PhotoshopProgressUpdateSink : public ProgressUpdateSink {
public:
    // A null record (or a host without progress callback) reports nothing.
    PhotoshopProgressUpdateSink(const ps::FilterRecord* record, int32_t pieceCount, double unitsPerPiece = 1000.0);

    // Reports truncate((fraction + index) × unitsPerPiece + 0.5) of totalUnits.
    void Update(double fraction) override;

    // Moves on to the next piece.
    void NextPiece() { ++index; }

    const ps::FilterRecord* record;
    int32_t index = 0;
    double unitsPerPiece;
    int32_t pieceCount;
    int32_t totalUnits;
};
