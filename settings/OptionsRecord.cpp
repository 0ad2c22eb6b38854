#include "settings/OptionsRecord.h"

#include <algorithm>

#include "filters/TextScanner.h"
#include "settings/TextLines.h"

namespace {

constexpr std::size_t kMaxOptionsLine = 255;

// The next line as fgets reads it into 256 bytes: up to and without its
// line end (CR, LF or CR LF), at most 255 characters of it.
std::string_view NextOptionsLine(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') ++pos;
    const std::string_view line = text.substr(start, std::min(pos - start, kMaxOptionsLine));
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
    return line;
}

}  // namespace

std::string OptionsText(const OptionsRecord& options) {
    std::string text;
    AppendLine(text, kOptionsFileName);
    AppendLine(text, std::to_string(options.left) + ' ' + std::to_string(options.top) + ' ' +
                         std::to_string(options.right) + ' ' + std::to_string(options.bottom));
    text += options.flag != 0 ? "1" : "0";
    return text;
}

bool ReadOptionsText(std::string_view text, OptionsRecord& options) {
    std::size_t pos = 0;
    const std::string_view name = kOptionsFileName;
    if (NextOptionsLine(text, pos).substr(0, name.size()) != name) return false;
    TextScanner rectangle(NextOptionsLine(text, pos));
    OptionsRecord read;
    if (!rectangle.ReadInt(read.left) || !rectangle.ReadInt(read.top) || !rectangle.ReadInt(read.right) ||
        !rectangle.ReadInt(read.bottom))
        return false;
    int flag = 0;
    if (!TextScanner(NextOptionsLine(text, pos)).ReadInt(flag)) return false;
    read.flag = flag != 0 ? 1 : 0;
    options = read;
    return true;
}
