#include "host/PhotoshopProgressUpdateSink.h"

PhotoshopProgressUpdateSink::PhotoshopProgressUpdateSink(const ps::FilterRecord* hostRecord, int32_t pieces,
                                                         double units)
    : record(hostRecord),
      unitsPerPiece(units),
      pieceCount(pieces),
      totalUnits(static_cast<int32_t>(static_cast<double>(pieces) * units + 0.5)) {}

void PhotoshopProgressUpdateSink::Update(double fraction) {
    if (record == nullptr || record->progressProc == nullptr) return;
    const double done = (fraction + static_cast<double>(index)) * unitsPerPiece + 0.5;
    record->progressProc(static_cast<int32_t>(done), totalUnits);
}
