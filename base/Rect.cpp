#include "base/Rect.h"

#include <algorithm>

Rect Rect::Intersect(const Rect& a, const Rect& b) {
    Rect r(std::max(a.top, b.top), std::max(a.left, b.left), std::min(a.bottom, b.bottom), std::min(a.right, b.right));
    return r.IsEmpty() ? Rect() : r;
}

Rect Rect::Union(const Rect& a, const Rect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return Rect(std::min(a.top, b.top), std::min(a.left, b.left), std::max(a.bottom, b.bottom),
                std::max(a.right, b.right));
}
