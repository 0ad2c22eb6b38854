// The designs of the modules' cursors and icons, drawn in a 32-unit square.
#pragma once

#include "tools/resourcegen/IconFile.h"
#include "tools/resourcegen/Raster.h"

// The preview's cursors: 10003 the open hand (normal), 10004 zoom in,
// 10005 zoom out, 10006 the tool over nothing, 10009 and 10007 the tool
// over the first and second kind of hit; the colour swatch's eyedropper,
// 10008.
struct CursorArt {
    int id;
    Canvas image;
    Hotspot hotspot;
};
CursorArt DrawCursor(int id);

// The toolbox buttons' icons (700 pan, 701 zoom, 702 tool), the colour
// swatch's eyedropper button (703) and the dialog's small icon (10037), at
// `size` pixels.
Canvas DrawIcon(int id, int size);

inline constexpr int kCursorIds[] = {10003, 10004, 10005, 10006, 10007, 10008, 10009};
inline constexpr int kIconIds[] = {700, 701, 702, 703, 10037};
