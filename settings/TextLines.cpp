#include "settings/TextLines.h"

#include "filters/TextScanner.h"

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

void AppendLine(std::string& text, std::string_view line) {
    text.append(line);
    text.append(kLineEnd);
}

bool LineReader::Next(std::string_view& line) {
    while (pos_ < text_.size() && IsTextBlank(text_[pos_])) ++pos_;
    if (pos_ >= text_.size()) return false;
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !IsLineBreak(text_[pos_]) && pos_ - start < kMaxLineLength) ++pos_;
    line = text_.substr(start, pos_ - start);
    while (pos_ < text_.size() && !IsLineBreak(text_[pos_])) ++pos_;
    return true;
}

std::string_view FirstLine(std::string_view text) {
    LineReader reader(text);
    std::string_view line;
    return reader.Next(line) ? line : std::string_view();
}

std::string_view FirstWord(std::string_view line) {
    std::size_t end = 0;
    while (end < line.size() && !IsTextBlank(line[end])) ++end;
    return line.substr(0, end);
}
