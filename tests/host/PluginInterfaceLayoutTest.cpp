// Pins the interface records to the offsets and sizes real hosts use. The
// expected numbers were worked out by hand from the published field types:
// natural alignment on 64-bit Linux and 32-bit Windows, and 4-byte packing of
// the filter record on 64-bit Windows.
#include <cstddef>

#include <gtest/gtest.h>

#include "pluginapi/PluginInterface.h"

namespace {

struct Expected {
    const char* name;
    std::size_t actual;
    std::size_t lp64;
    std::size_t win64;
    std::size_t win32;
};

std::size_t ForThisPlatform(const Expected& e) {
#if defined(_WIN64)
    return e.win64;
#elif defined(_WIN32)
    return e.win32;
#else
    return e.lp64;
#endif
}

void ExpectAll(const Expected* table, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(table[i].actual, ForThisPlatform(table[i])) << table[i].name;
}

#define FIELD(name, lp64, win64, win32) \
    { #name, offsetof(ps::FilterRecord, name), lp64, win64, win32 }

TEST(PluginInterfaceLayout, FilterRecordFieldsTheCoreReads) {
    const Expected fields[] = {
        FIELD(serialNumber, 0, 0, 0),
        FIELD(abortProc, 8, 4, 4),
        FIELD(progressProc, 16, 12, 8),
        FIELD(parameters, 24, 20, 12),
        FIELD(imageSize, 32, 28, 16),
        FIELD(planes, 36, 32, 20),
        FIELD(filterRect, 38, 34, 22),
        FIELD(background, 46, 42, 30),
        FIELD(foreground, 52, 48, 36),
        FIELD(maxSpace, 60, 56, 44),
        FIELD(bufferSpace, 64, 60, 48),
        FIELD(inRect, 68, 64, 52),
        FIELD(inLoPlane, 76, 72, 60),
        FIELD(inHiPlane, 78, 74, 62),
        FIELD(outRect, 80, 76, 64),
        FIELD(outLoPlane, 88, 84, 72),
        FIELD(outHiPlane, 90, 86, 74),
        FIELD(inData, 96, 88, 76),
        FIELD(inRowBytes, 104, 96, 80),
        FIELD(outData, 112, 100, 84),
        FIELD(outRowBytes, 120, 108, 88),
        FIELD(isFloating, 124, 112, 92),
        FIELD(haveMask, 125, 113, 93),
        FIELD(autoMask, 126, 114, 94),
        FIELD(maskRect, 128, 116, 96),
        FIELD(maskData, 136, 124, 104),
        FIELD(maskRowBytes, 144, 132, 108),
        FIELD(backColor, 148, 136, 112),
        FIELD(foreColor, 152, 140, 116),
        FIELD(hostSig, 156, 144, 120),
        FIELD(imageMode, 168, 156, 128),
        FIELD(imageHRes, 172, 160, 132),
        FIELD(imageVRes, 176, 164, 136),
        FIELD(monitor, 188, 176, 148),
        FIELD(platformData, 232, 216, 188),
        FIELD(bufferProcs, 240, 224, 192),
        FIELD(displayPixels, 264, 248, 204),
        FIELD(handleProcs, 272, 256, 208),
        FIELD(filterCase, 284, 268, 216),
        FIELD(advanceState, 296, 280, 224),
        FIELD(getPropertyObsolete, 312, 292, 232),
        FIELD(inputRate, 332, 312, 248),
        FIELD(maskRate, 336, 316, 252),
        FIELD(colorServices, 344, 320, 256),
        FIELD(inLayerPlanes, 352, 328, 260),
        FIELD(inTransparencyMask, 354, 330, 262),
        FIELD(inNonLayerPlanes, 360, 336, 268),
        FIELD(outLayerPlanes, 362, 338, 270),
        FIELD(outTransparencyMask, 364, 340, 272),
        FIELD(outNonLayerPlanes, 370, 346, 278),
        FIELD(inColumnBytes, 392, 368, 300),
        FIELD(propertyProcs, 416, 392, 320),
        FIELD(descriptorParameters, 456, 432, 356),
        FIELD(errorString, 464, 440, 360),
        FIELD(channelPortProcs, 472, 448, 364),
        FIELD(documentInfo, 480, 456, 368),
        FIELD(depth, 504, 480, 380),
        FIELD(hasImageScrap, 528, 500, 396),
        FIELD(bigDocumentData, 536, 504, 400),
    };
    ExpectAll(fields, sizeof(fields) / sizeof(fields[0]));
}

#undef FIELD
#define SIZE(type, lp64, win64, win32) \
    { #type, sizeof(ps::type), lp64, win64, win32 }

TEST(PluginInterfaceLayout, SmallRecordSizes) {
    const Expected sizes[] = {
        SIZE(Point16, 4, 4, 4),
        SIZE(Rect16, 8, 8, 8),
        SIZE(VPoint, 8, 8, 8),
        SIZE(VRect, 16, 16, 16),
        SIZE(RGBColor, 6, 6, 6),
        SIZE(PlugInMonitor, 40, 40, 40),
        SIZE(PlatformData, 8, 8, 4),
        SIZE(AboutRecord, 272, 272, 256),
        SIZE(HandleProcs, 72, 72, 36),
        SIZE(BufferProcs, 48, 48, 24),
        SIZE(ResourceProcs, 40, 40, 20),
        SIZE(PropertyProcs, 24, 24, 12),
        SIZE(ColorServicesInfo, 56, 56, 36),
        SIZE(ChannelPortProcs, 32, 32, 16),
        SIZE(PSScaling, 32, 32, 32),
        SIZE(PixelMemoryDesc, 24, 24, 20),
        SIZE(ReadChannelDesc, 80, 80, 64),
        SIZE(PSPixelMap, 72, 72, 56),
        SIZE(PIDescriptorParameters, 32, 32, 20),
        SIZE(PIDescriptorSimpleReference, 276, 276, 276),
        SIZE(ReadDescriptorProcs, 152, 152, 76),
        SIZE(WriteDescriptorProcs, 136, 136, 68),
    };
    ExpectAll(sizes, sizeof(sizes) / sizeof(sizes[0]));
}

#undef SIZE

TEST(PluginInterfaceLayout, ColourServicesFieldsAndProcCounts) {
    // The components sit after two reserved pointers; a host reads them there.
    EXPECT_EQ(offsetof(ps::ColorServicesInfo, colorComponents), sizeof(void*) == 8 ? 32u : 20u);
    EXPECT_EQ(offsetof(ps::ColorServicesInfo, selectorParameter), sizeof(void*) == 8 ? 48u : 32u);

    // The version fields come first and the callbacks follow as one pointer each.
    const std::size_t readProcs =
        (sizeof(ps::ReadDescriptorProcs) - offsetof(ps::ReadDescriptorProcs, openReadDescriptorProc)) / sizeof(void*);
    const std::size_t writeProcs =
        (sizeof(ps::WriteDescriptorProcs) - offsetof(ps::WriteDescriptorProcs, openWriteDescriptorProc)) /
        sizeof(void*);
    EXPECT_EQ(readProcs, 18u);
    EXPECT_EQ(writeProcs, 16u);
    EXPECT_EQ(static_cast<std::size_t>(ps::kCurrentReadDescriptorProcsCount), readProcs);
    EXPECT_EQ(static_cast<std::size_t>(ps::kCurrentWriteDescriptorProcsCount), writeProcs);
    EXPECT_EQ(offsetof(ps::ReadDescriptorProcs, getPinnedFloatProc), 8 + 16 * sizeof(void*));
    EXPECT_EQ(offsetof(ps::WriteDescriptorProcs, putStringProc), 8 + 13 * sizeof(void*));
}

TEST(PluginInterfaceLayout, FourCharacterCodesPutTheFirstCharacterHighest) {
    EXPECT_EQ(ps::FourCC("Path"), 0x50617468u);
    EXPECT_EQ(ps::kPhotoshopSignature, 0x3842494du);
    EXPECT_EQ(ps::propRulerUnits, 0x72756c72u);
    EXPECT_EQ(ps::typeFloat, 0x646f7562u);
    // Characters above 0x7f must not sign-extend into the higher bytes.
    EXPECT_EQ(ps::FourCC("\xff"
                         "abc"),
              0xff616263u);
    EXPECT_EQ(ps::FourCC("ab\x80"
                         "c"),
              0x61628063u);
}

}  // namespace
