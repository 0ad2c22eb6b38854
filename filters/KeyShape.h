// What the value under one scripting key is, told by the parameter itself:
// the kind of value, its range, and for a list its choices. The code that
// reads and writes values as people type them (parametertext/) works from
// these descriptions alone, without knowing the parameter classes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

enum class KeyKind {
    None,         // not written by scripts
    Number,       // a float in [minimum, maximum]
    Length,       // a length with its unit; the range holds in the length's own unit
    Flag,         // on or off
    Seed,         // a whole number in [minimum, maximum]
    Choice,       // one of `choices`, recorded as its code
    Colour,       // a colour in its text form
    ContentPath,  // the path of a content file; the parameter's next key is its relative flag
};

enum class KeyUnit { None, Percent, Degrees };

struct KeyChoice {
    uint32_t code = 0;
    std::string name;  // as the dialog lists it
};

struct KeyShape {
    KeyKind kind = KeyKind::None;
    // The key's own word within a parameter of several keys ("direction" of
    // a light); empty for a parameter's first or only key.
    std::string part;
    bool ranged = false;
    double minimum = 0.0;
    double maximum = 0.0;
    KeyUnit unit = KeyUnit::None;
    // An angle round the full circle: a value outside the range names a
    // direction inside it.
    bool wraps = false;
    uint32_t enumerationType = 0;    // Choice
    std::vector<KeyChoice> choices;  // Choice, in the dialog's order

    static KeyShape Ranged(KeyKind kind, double minimum, double maximum, KeyUnit unit = KeyUnit::None) {
        KeyShape shape;
        shape.kind = kind;
        shape.ranged = true;
        shape.minimum = minimum;
        shape.maximum = maximum;
        shape.unit = unit;
        return shape;
    }
    static KeyShape Of(KeyKind kind, std::string part = std::string()) {
        KeyShape shape;
        shape.kind = kind;
        shape.part = std::move(part);
        return shape;
    }
};
