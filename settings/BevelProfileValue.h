// A bevel profile in its flat form: up to 25 points in ascending x, as
// effects keep it in their parameter records (the 608-byte curve record)
// and as library entries and named settings store it, as one line of text:
//
//   "Bevel: " count, then per point "/" and x y pointy ("%.3f %.3f %d")
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

struct BevelProfilePoint {
    double x;
    double y;
    // Non-zero: a corner rather than a smooth point. A byte rather than a
    // bool, as records may hold any byte there.
    unsigned char pointy;

    friend bool operator==(const BevelProfilePoint& a, const BevelProfilePoint& b) {
        return a.x == b.x && a.y == b.y && (a.pointy != 0) == (b.pointy != 0);
    }
};

struct BevelProfileValue {
    static constexpr int kMaxPoints = 25;
    static constexpr char kTextPrefix[] = "Bevel: ";
    // The library folder and the first word that marks a library entry.
    static constexpr char kLibraryFolder[] = "Bevels";
    static constexpr char kLibraryWord[] = "Bevel:";

    BevelProfilePoint points[kMaxPoints];
    int32_t count;  // points in use, 0 to 25

    // All bytes 0, no points.
    void Clear();
    // The text form; a count outside 0..25 writes as the nearest of the two.
    std::string ToText() const;
    // Clears the value, then reads the text form, by the same rules as
    // GradientValue::FromText.
    void FromText(std::string_view text);

    // The same count and the same points in use.
    friend bool operator==(const BevelProfileValue& a, const BevelProfileValue& b) {
        if (a.count != b.count) return false;
        for (int i = 0; i < a.count && i < kMaxPoints; ++i) {
            if (!(a.points[i] == b.points[i])) return false;
        }
        return true;
    }
    friend bool operator!=(const BevelProfileValue& a, const BevelProfileValue& b) { return !(a == b); }
};

static_assert(std::is_trivial_v<BevelProfileValue> && std::is_standard_layout_v<BevelProfileValue>);
static_assert(sizeof(BevelProfilePoint) == 24);
static_assert(sizeof(BevelProfileValue) == 608 && offsetof(BevelProfileValue, count) == 600,
              "the curve record of a parameter block is 608 bytes");
