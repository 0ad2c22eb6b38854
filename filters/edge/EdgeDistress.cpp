// Distress and torn paper: the edge line lies between w1 and w1 + w2 from the
// selection edge, ragged by noise; everything outside it is full edge.
#include <memory>
#include <new>

#include "filters/edge/EdgeBevels.h"
#include "filters/edge/EdgeTreatments.h"
#include "image/FBMField.h"
#include "image/NoiseField.h"
#include "image/SymmetricTurbulenceField.h"

namespace edge {

namespace {

constexpr double kNoiseAmplitude = 0.5;

template <typename Field>
ResultCode InitField(Field& field, double scale, const TreatmentRequest& request) {
    return field.Init(scale, scale, kNoiseAmplitude, request.seed, request.reductionFactor, false, 0, 0);
}

template <typename Field>
ResultCode FillDistressWith(const TreatmentRequest& request) {
    // The fields hold some 32 KB of tables each: on the heap, not the stack.
    std::unique_ptr<Field> field(new (std::nothrow) Field());
    if (field == nullptr) return ResultCode::OutOfMemory();
    const ResultCode ready = InitField(*field, 2.0 * request.scale, request);
    if (ready.IsFailure()) return ready;
    std::unique_ptr<EdgeDistressPrecisionBevel> bevel(
        new (std::nothrow) EdgeDistressPrecisionBevel(*request.amount, *field, request.border, request.width));
    if (bevel == nullptr) return ResultCode::OutOfMemory();
    return RunEdgeBevel(*bevel, request, request.progressEnd);
}

}  // namespace

ResultCode FillDistress(const TreatmentRequest& request, bool fractal) {
    return fractal ? FillDistressWith<FBMField>(request) : FillDistressWith<NoiseField>(request);
}

ResultCode FillTornPaper(const TreatmentRequest& request) {
    std::unique_ptr<SymmetricTurbulenceField> coarse(new (std::nothrow) SymmetricTurbulenceField());
    std::unique_ptr<SymmetricTurbulenceField> fine(new (std::nothrow) SymmetricTurbulenceField());
    if (coarse == nullptr || fine == nullptr) return ResultCode::OutOfMemory();
    ResultCode ready = InitField(*coarse, 2.0 * request.scale, request);
    if (ready.IsSuccess()) ready = InitField(*fine, 0.02 * request.scale, request);
    if (ready.IsFailure()) return ready;
    std::unique_ptr<EdgeTornPaperPrecisionBevel> bevel(
        new (std::nothrow) EdgeTornPaperPrecisionBevel(*request.amount, *coarse, *fine, request.border, request.width));
    if (bevel == nullptr) return ResultCode::OutOfMemory();
    return RunEdgeBevel(*bevel, request, request.progressEnd);
}

}  // namespace edge
