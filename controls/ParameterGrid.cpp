#include "controls/ParameterGrid.h"

#include <algorithm>

#include "controls/ChildWindows.h"
#include "controls/VtLengthSliderControl.h"
#include "filters/LengthValue.h"

namespace {

// A field's frame and margins around its text.
constexpr int kFieldFrame = 14;

}  // namespace

ParameterGrid ParameterGrid::For(HWND hwnd, HFONT font) {
    ParameterGrid grid;
    SIZE size{};
    if (!MeasureText(hwnd, font, "0000.00", size)) return grid;
    grid.valueWidth = size.cx + kFieldFrame;
    int unitWidth = 1;
    std::string units[] = {"\xC2\xB0", "%"};
    for (const std::string& unit : units) {
        if (MeasureText(hwnd, font, unit, size)) unitWidth = std::max<int>(unitWidth, size.cx);
    }
    for (int32_t unit = kLengthPixels; unit <= kLengthPicas; ++unit) {
        if (MeasureText(hwnd, font, VtLengthSliderControl::UnitName(unit), size))
            unitWidth = std::max<int>(unitWidth, size.cx);
    }
    grid.unitWidth = unitWidth;
    return grid;
}

int ParameterGrid::FieldWidth(HWND hwnd, HFONT font, const std::string& longest) const {
    SIZE size{};
    if (!MeasureText(hwnd, font, longest, size)) return valueWidth;
    return std::max<int>(valueWidth, size.cx + kFieldFrame);
}
