#include "image/ChannelLayout.h"

int32_t ColourModelForHostMode(int32_t hostMode) {
    // Host modes: 1 greyscale, 4 CMYK, 9 Lab; every other mode is worked as RGB.
    switch (hostMode) {
        case 1: return kColourModelGrey;
        case 4: return kColourModelCMYK;
        case 9: return kColourModelLab;
        default: return kColourModelRGB;
    }
}
