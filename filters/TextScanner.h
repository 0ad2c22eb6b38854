// Reading numbers and words out of one line of text the way sscanf reads
// them with the directives named at each operation, without the C locale:
// the value texts of colours, named settings and library entries were first
// read with scanf patterns, so texts written by earlier versions and by hand
// read the same, and a host's locale cannot turn "50.2" into "50,2".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The characters isspace accepts in the C locale.
constexpr bool IsTextBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// After the first failure every further read fails too, as sscanf stops at
// its first mismatch.
class TextScanner {
public:
    explicit TextScanner(std::string_view text) : text_(text) {}

    // "%*s": a word, after any blanks.
    void SkipWord();
    // " ": any number of blanks, none included.
    void SkipBlanks();
    // "%*1c": exactly one character, whatever it is.
    void SkipChar();
    // `unit` when the text goes on with it, else one character as "%*1c".
    // A unit of several bytes (a UTF-8 degree sign) is skipped whole.
    void SkipUnit(std::string_view unit);

    // "%lf". A NaN counts as unreadable: no value can be made of it. A number
    // beyond the range of double reads as strtod gives it: infinity, or 0.
    bool ReadDouble(double& value);
    // "%d", saturating at the limits of int.
    bool ReadInt(int& value);
    // "%hd", saturating at the limits of int16_t.
    bool ReadShort(int16_t& value);

    // Whether every read so far succeeded.
    bool Ok() const { return ok_; }

private:
    bool AtEnd() const { return pos_ >= text_.size(); }
    bool Fail();

    std::string_view text_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};
