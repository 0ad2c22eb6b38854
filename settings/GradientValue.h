// A colour gradient in its flat form: up to 25 stops in ascending location,
// as effects keep it in their parameter records (the 1008-byte gradient
// record) and as library entries and named settings store it, as one line
// of text:
//
//   "Gradient: " count, then per stop "/" and
//   location mode channels alpha c0 c1 c2 c3 c4 stop-value
//   ("%.3f %d %d %d %hd %hd %hd %hd %hd %.3f")
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

struct GradientValueStop {
    double location;
    int32_t mode;      // colour-mode code of the stop's colour; 666 for a new stop
    int32_t channels;  // colour channels in `components`
    // Non-zero: one more component, the alpha, follows the colour channels.
    // A byte rather than a bool: records come from hosts and old files, and
    // may hold any byte there.
    unsigned char alpha;
    int16_t components[5];  // the channels, then the alpha; unused entries 0
    double stopValue;       // carried along unchanged

    friend bool operator==(const GradientValueStop& a, const GradientValueStop& b) {
        for (int i = 0; i < 5; ++i) {
            if (a.components[i] != b.components[i]) return false;
        }
        return a.location == b.location && a.mode == b.mode && a.channels == b.channels &&
               (a.alpha != 0) == (b.alpha != 0) && a.stopValue == b.stopValue;
    }
};

struct GradientValue {
    static constexpr int kMaxStops = 25;
    static constexpr char kTextPrefix[] = "Gradient: ";
    // The library folder and the first word that marks a library entry.
    static constexpr char kLibraryFolder[] = "Gradients";
    static constexpr char kLibraryWord[] = "Gradient:";

    GradientValueStop stops[kMaxStops];
    int32_t count;  // stops in use, 0 to 25

    // All bytes 0, no stops.
    void Clear();
    // The text form. A count outside 0..25 (a damaged record) writes as the
    // nearest of the two.
    std::string ToText() const;
    // Clears the value, then reads the text form. The prefix is skipped
    // without being compared. A count of 0 or less leaves the value empty;
    // one above 25 reads the first 25 stops. A stop with fewer fields than
    // the count promises stays 0 from its first missing or unreadable
    // field on; groups beyond the count are ignored.
    void FromText(std::string_view text);

    // The same count and the same stops in use; what lies beyond them (and
    // in padding) does not count.
    friend bool operator==(const GradientValue& a, const GradientValue& b) {
        if (a.count != b.count) return false;
        for (int i = 0; i < a.count && i < kMaxStops; ++i) {
            if (!(a.stops[i] == b.stops[i])) return false;
        }
        return true;
    }
    friend bool operator!=(const GradientValue& a, const GradientValue& b) { return !(a == b); }
};

static_assert(std::is_trivial_v<GradientValue> && std::is_standard_layout_v<GradientValue>);
static_assert(sizeof(GradientValueStop) == 40 && offsetof(GradientValueStop, stopValue) == 32);
static_assert(sizeof(GradientValue) == 1008 && offsetof(GradientValue, count) == 1000,
              "the gradient record of a parameter block is 1008 bytes");
