// The grid every parameter control lays itself out on, so that a column of
// them reads as one page. A control's label starts at its left edge, level
// with the text in its value's field. From the right, kMargin inside the
// control's right edge (where a group's frame runs), come the unit column,
// the spinner's place and the value column, which holds every field, list
// box and swatch. The widths follow the dialog's font.
#pragma once

#include <string>

#include "platform/WinApi.h"

struct ParameterGrid {
    // Between the columns and the control's right edge: a group's frame runs
    // there, so that framed and unframed controls line up.
    static constexpr int kMargin = 8;
    // The line of a group's frame, in the last pixels of the controls it
    // frames, which they leave unpainted.
    static constexpr int kFrameLine = 2;
    static constexpr int kGap = 4;
    static constexpr int kSpinnerWidth = 16;
    static constexpr int kFieldHeight = 20;
    // A label's text sits this far down, level with the text in a field.
    static constexpr int kTextTop = 3;

    int valueWidth = 56;  // a field that shows "1000.00"
    int unitWidth = 32;   // the widest unit caption

    // The grid for controls in `font`, measured on `hwnd`'s device context
    // (the widths above without one).
    static ParameterGrid For(HWND hwnd, HFONT font);
    // A field that shows `longest` in `font`, never narrower than the value
    // column.
    int FieldWidth(HWND hwnd, HFONT font, const std::string& longest) const;

    // The columns of a control `width` pixels wide, in its client area.
    int Right(int width) const { return width - kMargin; }
    int UnitLeft(int width) const { return Right(width) - unitWidth; }
    int SpinnerLeft(int width) const { return UnitLeft(width) - kGap - kSpinnerWidth; }
    int ValueLeft(int width) const { return SpinnerLeft(width) - valueWidth; }
    // A value without a spinner (a dial's, a seed's) takes the spinner's
    // place as well.
    int ValueRight(int width) const { return UnitLeft(width) - kGap; }
};
