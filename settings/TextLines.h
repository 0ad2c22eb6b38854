// Lines of the settings files and library entries. Files are written with
// CR LF after every line on every system, so that a file moves between
// Windows and other systems unchanged; CR, LF or both end a line when read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The most characters of one line that are read.
inline constexpr std::size_t kMaxLineLength = 4999;

inline constexpr char kLineEnd[] = "\r\n";

// Appends `line` and the line end.
void AppendLine(std::string& text, std::string_view line);

// Reads a text line by line the way the files are read: white space before
// a line (blank lines included) is skipped, then the characters up to a CR,
// an LF or the end of the text are taken, at most kMaxLineLength of them.
// The rest of a longer line is passed over, so that it never reads as a
// line of its own.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    // The next line; false at the end of the text with nothing read.
    bool Next(std::string_view& line);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// The first line of `text`, read as LineReader reads it; empty for a text
// of nothing but white space.
std::string_view FirstLine(std::string_view text);

// The first word of `line`: the characters before the first white space.
std::string_view FirstWord(std::string_view line);
