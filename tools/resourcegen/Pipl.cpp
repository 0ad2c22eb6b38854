#include "tools/resourcegen/Pipl.h"

#include <cstring>
#include <string>

namespace {

constexpr uint32_t FourCharCode(const char (&code)[5]) {
    return static_cast<uint32_t>(static_cast<unsigned char>(code[0])) << 24 |
           static_cast<uint32_t>(static_cast<unsigned char>(code[1])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(code[2])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(code[3]));
}

void PutLong(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

std::vector<uint8_t> LongData(uint32_t value) {
    std::vector<uint8_t> data;
    PutLong(data, value);
    return data;
}

std::vector<uint8_t> PascalString(const char* text) {
    const size_t length = std::min<size_t>(std::strlen(text), 255);
    std::vector<uint8_t> data{static_cast<uint8_t>(length)};
    data.insert(data.end(), text, text + length);
    return data;
}

std::vector<uint8_t> CString(const char* text) {
    std::vector<uint8_t> data(text, text + std::strlen(text));
    data.push_back(0);
    return data;
}

// Image mode flags: the first byte holds bitmap (0x80), grey (0x40),
// indexed (0x20), RGB (0x10), CMYK (0x08), HSL, HSB and multichannel; the
// second duotone (0x80) and Lab (0x40) before the 16-bit modes. The core
// works on 8-bit grey, RGB and Lab, and on CMYK where the effect can.
std::vector<uint8_t> ImageModes(const EffectCapabilities& effect) {
    const uint8_t first = 0x40 | 0x10 | (effect.supportsCMYK ? 0x08 : 0x00);
    return {first, 0x40, 0, 0};
}

// How the host presents each case to the filter: input handling, output
// handling and two flag bytes per case, seven cases in the host's order.
enum DataHandling : uint8_t { kCantFilter = 0, kNoHandling = 1 };
enum CaseFlags : uint8_t { kWorksWithBlankData = 1 << 1, kWritesOutsideSelection = 1 << 3 };

std::vector<uint8_t> FilterCases(const EffectCapabilities& effect) {
    // The core refuses a flat image without selection for effects that
    // need a layer, floating selections and protected transparency.
    const bool flatAllowed = !((effect.usesWholeCanvas && !effect.allowsFlatImage) || effect.requiresLayer);
    // Effects that mask their own result paint beyond the selection edge.
    const uint8_t selectionFlags = effect.coreAppliesMask ? 0 : kWritesOutsideSelection;
    // Effects that cover the whole canvas paint on empty layer areas too.
    const uint8_t blankFlags = effect.usesWholeCanvas ? kWorksWithBlankData : 0;
    struct Case {
        bool allowed;
        uint8_t flags;
    };
    const Case cases[7] = {
        {flatAllowed, 0},                                           // flat image, no selection
        {true, selectionFlags},                                     // flat image with selection
        {false, 0},                                                 // floating selection
        {true, blankFlags},                                         // editable transparency, no selection
        {true, static_cast<uint8_t>(blankFlags | selectionFlags)},  // editable transparency with selection
        {false, 0},                                                 // protected transparency, no selection
        {false, 0},                                                 // protected transparency with selection
    };
    std::vector<uint8_t> data;
    for (const Case& c : cases) {
        const uint8_t handling = c.allowed ? kNoHandling : kCantFilter;
        data.insert(data.end(), {handling, handling, c.allowed ? c.flags : uint8_t{0}, 0});
    }
    return data;
}

void PutProperty(std::vector<uint8_t>& out, const char (&key)[5], std::vector<uint8_t> data) {
    while (data.size() % 4 != 0) data.push_back(0);
    PutLong(out, FourCharCode("8BIM"));
    PutLong(out, FourCharCode(key));
    PutLong(out, 0);
    PutLong(out, static_cast<uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
}

}  // namespace

std::vector<uint8_t> PiplBytes(const EffectModule& module, const EffectCapabilities& effect) {
    std::vector<uint8_t> properties;
    uint32_t count = 0;
    auto add = [&](const char(&key)[5], std::vector<uint8_t> data) {
        PutProperty(properties, key, std::move(data));
        ++count;
    };
    add("kind", LongData(FourCharCode("8BFM")));
    add("name", PascalString(module.menuName));
    add("catg", PascalString(kEffectCategory));
    // Interface version 4.0: hosts skip modules that ask for more.
    add("vers", LongData(4u << 16));
    add("wx86", CString(kModuleEntryName));
    add("8664", CString(kModuleEntryName));
    add("mode", ImageModes(effect));
    add("fici", FilterCases(effect));

    std::vector<uint8_t> out{1, 0};
    PutLong(out, 0);
    PutLong(out, count);
    out.insert(out.end(), properties.begin(), properties.end());
    return out;
}
