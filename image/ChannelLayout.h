// How the samples of one pixel are arranged: the colour model, the number of
// colour channels and whether an alpha sample follows them.
#pragma once

#include <cstdint>

enum ColourModel : int32_t {
    kColourModelRGB = 0,
    kColourModelHSB = 1,
    kColourModelCMYK = 2,
    kColourModelLab = 3,
    kColourModelGrey = 4,
    kColourModelNone = 666,  // a bare channel, e.g. a mask
};

struct ChannelLayout {
    int32_t colourModel = kColourModelNone;
    int32_t colourChannels = 1;
    bool hasAlpha = false;
    int32_t channelCount = 1;  // always colourChannels + (hasAlpha ? 1 : 0)

    constexpr ChannelLayout() = default;
    // The count passed in is ignored on purpose: it is always derived.
    constexpr ChannelLayout(int32_t model, int32_t colours, bool alpha, int32_t /*count*/ = 0)
        : colourModel(model), colourChannels(colours), hasAlpha(alpha), channelCount(colours + (alpha ? 1 : 0)) {}

    constexpr bool operator==(const ChannelLayout& o) const {
        return colourModel == o.colourModel && colourChannels == o.colourChannels && hasAlpha == o.hasAlpha;
    }
    constexpr bool operator!=(const ChannelLayout& o) const { return !(*this == o); }

    // The layout of a one-channel mask or field.
    static constexpr ChannelLayout SingleChannel() { return ChannelLayout(kColourModelNone, 1, false); }
};

// Maps a host image mode to the colour model the core works in.
int32_t ColourModelForHostMode(int32_t hostMode);
