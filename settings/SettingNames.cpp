#include "settings/SettingNames.h"

#include <cctype>
#include <cstring>

namespace {

constexpr char kRefusedCharacters[] = "\\:<>/\"|*?'";

bool IsAsciiLetterOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

std::string UpperAscii(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// CON, PRN, AUX, NUL, COM1..COM9 and LPT1..LPT9, alone or before a dot.
bool IsDeviceName(const std::string& name) {
    const std::string stem = UpperAscii(name.substr(0, name.find('.')));
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) && stem[3] >= '1' &&
           stem[3] <= '9';
}

}  // namespace

std::string InvalidNameReason(const std::string& name) {
    if (name.empty()) return "a name cannot be empty";
    if (name.size() > kMaxSettingNameLength) return "a name has at most 31 characters";
    if (!IsAsciiLetterOrDigit(name.front())) return "a name begins with a letter (A to Z) or a digit";
    for (char c : name) {
        // First, as strchr finds a NUL at the end of every string.
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return "a name cannot hold control characters";
        if (std::strchr(kRefusedCharacters, c) != nullptr)
            return std::string("a name cannot hold the character ") + c + " (nor any of \\ : < > / \" | * ? ')";
    }
    if (name.back() == ' ' || name.back() == '.') return "a name cannot end with a blank or a dot";
    if (IsDeviceName(name)) return "a name cannot be a device name such as CON, NUL, COM1 or LPT1";
    return std::string();
}

bool IsEntryName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    return name.find_first_of(std::string("/\\:\0", 4)) == std::string::npos;
}
