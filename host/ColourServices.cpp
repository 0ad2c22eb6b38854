#include "host/ColourServices.h"

#include <atomic>
#include <memory>
#include <new>

#include "host/HostCalls.h"

namespace {

ps::ColorServicesInfo NewInfo(int16_t selector, int16_t sourceSpace, int16_t resultSpace,
                              const int16_t (&components)[4]) {
    ps::ColorServicesInfo info{};
    info.infoSize = static_cast<int32_t>(sizeof(ps::ColorServicesInfo));
    info.selector = selector;
    info.sourceSpace = sourceSpace;
    info.resultSpace = resultSpace;
    for (int i = 0; i < 4; ++i) info.colorComponents[i] = components[i];
    info.selectorParameter.pickerPrompt = nullptr;
    return info;
}

bool IsSpace(int16_t space) {
    return space >= ps::plugIncolorServicesRGBSpace && space <= ps::plugIncolorServicesXYZSpace;
}

bool NeedsRgbConversion(int16_t space) {
    return space == ps::plugIncolorServicesHSBSpace || space == ps::plugIncolorServicesLabSpace ||
           space == ps::plugIncolorServicesHSLSpace || space == ps::plugIncolorServicesXYZSpace;
}

GreyToCmykTable MakeFixedTable() {
    GreyToCmykTable table;
    for (int level = 0; level < 256; ++level) table[static_cast<std::size_t>(level)] = FixedGreyToCmyk(level);
    return table;
}

const GreyToCmykTable& FixedTable() {
    static const GreyToCmykTable table = MakeFixedTable();
    return table;
}

// Asks the host for every level; null when the host cannot convert.
std::unique_ptr<GreyToCmykTable> HostTable() {
    std::unique_ptr<GreyToCmykTable> table(new (std::nothrow) GreyToCmykTable);
    if (!table) return nullptr;
    for (int level = 0; level < 256; ++level) {
        const int16_t grey[4] = {static_cast<int16_t>(level), 0, 0, 0};
        ps::ColorServicesInfo info = NewInfo(ps::plugIncolorServicesConvertColor, ps::plugIncolorServicesGraySpace,
                                             ps::plugIncolorServicesCMYKSpace, grey);
        if (HostColourServices(info) != ps::noErr) {
            // A host that converts some levels and not others is not to be
            // trusted with the rest either.
            return nullptr;
        }
        CmykBytes& entry = (*table)[static_cast<std::size_t>(level)];
        for (int i = 0; i < 4; ++i)
            entry[static_cast<std::size_t>(i)] = static_cast<uint8_t>(info.colorComponents[i] & 0xFF);
    }
    return table;
}

std::atomic<const GreyToCmykTable*> gGreyToCmyk{nullptr};

}  // namespace

ResultCode PickColour(ColorSpec& colour) {
    const int16_t start[4] = {colour.c0, colour.c1, colour.c2, colour.c3};
    ps::ColorServicesInfo pick =
        NewInfo(ps::plugIncolorServicesChooseColor, colour.space, ps::plugIncolorServicesChosenSpace, start);
    if (HostColourServices(pick) != ps::noErr || !IsSpace(pick.resultSpace)) return ResultCode::Cancelled();
    int16_t space = pick.resultSpace;
    const int16_t* components = pick.colorComponents;
    ps::ColorServicesInfo convert{};
    if (NeedsRgbConversion(space)) {
        const int16_t chosen[4] = {pick.colorComponents[0], pick.colorComponents[1], pick.colorComponents[2],
                                   pick.colorComponents[3]};
        convert = NewInfo(ps::plugIncolorServicesConvertColor, space, ps::plugIncolorServicesRGBSpace, chosen);
        if (HostColourServices(convert) != ps::noErr) return ResultCode::Cancelled();
        space = ps::plugIncolorServicesRGBSpace;
        components = convert.colorComponents;
    }
    colour.space = space;
    colour.c0 = components[0];
    colour.c1 = components[1];
    colour.c2 = components[2];
    colour.c3 = components[3];
    return ResultCode::Success();
}

CmykBytes FixedGreyToCmyk(int level) {
    const uint8_t grey = static_cast<uint8_t>(level < 0 ? 0 : (level > 255 ? 255 : level));
    return CmykBytes{255, 255, 255, grey};
}

const GreyToCmykTable& GreyToCmyk() {
    const GreyToCmykTable* ready = gGreyToCmyk.load(std::memory_order_acquire);
    if (ready != nullptr) return *ready;
    // No lock: the host call may be relayed to the host thread, which must
    // not wait for us. Two first users both build a table; one is kept.
    std::unique_ptr<GreyToCmykTable> built = HostTable();
    const GreyToCmykTable* candidate = built ? built.get() : &FixedTable();
    const GreyToCmykTable* expected = nullptr;
    if (!gGreyToCmyk.compare_exchange_strong(expected, candidate, std::memory_order_acq_rel)) return *expected;
    built.release();  // kept for the life of the process
    return *candidate;
}
