#include "filters/edge/EdgeCompose.h"

#include <cstddef>

#include "filters/edge/EdgeColour.h"

namespace edge {

namespace {

double AmountAt(const SingleChannelImage<double> &amount, int32_t x, int32_t y) {
    if (!amount.bounds.Contains(Point{x, y})) return 0.0;
    return amount
        .data[static_cast<std::ptrdiff_t>(y - amount.bounds.top) * amount.rowStride + (x - amount.bounds.left)];
}

uint8_t TowardAlpha(uint8_t alpha, double e) {
    double value = (1.0 - e) * alpha + 0.5;
    if (!(value > 0.0)) value = 0.0;
    if (value > 255.0) value = 255.0;
    return static_cast<uint8_t>(value);
}

// trunc(c + (target − c) e + 0.5); E = 0 and E = 1 give c and target exactly.
uint8_t Toward(uint8_t c, uint8_t target, double e) { return static_cast<uint8_t>(c + (target - c) * e + 0.5); }

void ComposeRow(const ComposeRequest &request, const PixelSamples &colour, bool transparent, int32_t y) {
    const Image<unsigned char> &destination = *request.destination;
    const int32_t channels = destination.layout.channelCount;
    const int32_t alphaIndex = destination.layout.colourChannels;
    const Image<unsigned char> *source = request.source;
    const bool fromSource = source != nullptr && source->HasData() && source->layout == destination.layout &&
                            source->bounds.Contains(Point{request.area.left, y}) &&
                            source->bounds.Contains(Point{request.area.right - 1, y});
    unsigned char *out = destination.PixelAddress(Point{request.area.left, y});
    const unsigned char *in = fromSource ? source->PixelAddress(Point{request.area.left, y}) : out;
    const std::ptrdiff_t outStep = destination.pixelStride;
    const std::ptrdiff_t inStep = fromSource ? source->pixelStride : outStep;

    for (int32_t x = request.area.left; x < request.area.right; ++x, out += outStep, in += inStep) {
        double e = AmountAt(*request.amount, x, y);
        if (!(e > 0.0)) e = 0.0;
        if (e > 1.0) e = 1.0;
        if (transparent) {
            for (int32_t c = 0; c < alphaIndex; ++c) out[c] = in[c];
            out[alphaIndex] = TowardAlpha(in[alphaIndex], e);
            continue;
        }
        for (int32_t c = 0; c < channels; ++c) out[c] = Toward(in[c], colour[static_cast<std::size_t>(c)], e);
    }
}

} // namespace

ResultCode ComposeEdge(const ComposeRequest &request) {
    const Image<unsigned char> &destination = *request.destination;
    const Rect area = Rect::Intersect(request.area, destination.bounds);
    if (area.IsEmpty() || !destination.HasData()) return ResultCode::Success();
    const bool transparent = request.transparentTicked && destination.layout.hasAlpha;
    const PixelSamples colour = ColourSamples(request.colour, destination.layout);

    ComposeRequest clipped = request;
    clipped.area = area;
    const double span = request.progressEnd - request.progressStart;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        if (request.progress != nullptr) {
            const double done = static_cast<double>(y - area.top) / static_cast<double>(area.Height());
            request.progress->Update(request.progressStart + done * span);
        }
        if (request.abort->IsAborted()) return ResultCode::Cancelled();
        ComposeRow(clipped, colour, transparent, y);
    }
    if (request.progress != nullptr) request.progress->Update(request.progressEnd);
    return ResultCode::Success();
}

} // namespace edge
