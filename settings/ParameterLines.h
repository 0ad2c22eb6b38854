// The lines of one parameter in a named settings file, by parameter class:
// "key value", the key the parameter's 32-bit scripting key written as a
// signed decimal integer, one blank, then the value in the class's form:
//
//   slider, direction            "%.3f", read back as "%lf"
//   checkbox                     0 or 1; any non-zero number reads as 1
//   random seed                  the seed; the low 16 bits of the number are kept
//   list, bevel type             the item id or value
//   colour, length               their text forms
//   light                        direction, elevation, brightness, sharpness ("%.3f", each
//                                clamped to its range on reading), then the colour's text
//   fill behaviour               the behaviour code, then the colour's text
//   gradient, bevel profile      their text forms (settings/GradientValue.h, BevelProfileValue.h)
//   reflection map               the file name: the rest of the line
//
// A number that cannot be read leaves the value as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class FilterParameter;

// "key value" with the line end appended to `text`.
void AppendKeyLine(std::string& text, uint32_t key, std::string_view value);

// Splits a line into its key (a decimal integer at its start, saturating;
// 0 when there is none) and the value after its first blank. False for a
// line without a blank.
bool SplitKeyLine(std::string_view line, uint32_t& key, std::string_view& value);

enum class LineOutcome {
    kDone,
    kUnknownClass,  // a parameter class this table does not hold
    kUnwritable,    // a text value holding a line break, which would end its line early
};

// Appends every line of `parameter`.
LineOutcome WriteParameterLines(const FilterParameter& parameter, std::string& text);
// Reads the value of `key`, one of the parameter's keys, into it.
LineOutcome ReadParameterLine(FilterParameter& parameter, uint32_t key, std::string_view value);

// The text held in a character array of `capacity` bytes: up to its first
// NUL, or all of it.
std::string_view TextInArray(const char* array, std::size_t capacity);
// Stores `text` in the array with its terminator; false, leaving the array
// as it was, when it does not fit or holds a NUL.
bool StoreTextInArray(std::string_view text, char* array, std::size_t capacity);
// True when `text` can stand as the value of a line.
bool FitsOnOneLine(std::string_view text);
