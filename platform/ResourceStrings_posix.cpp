// Without module resources the strings are linked into the program
// (generated from resources/strings.txt), so the resource module is not
// consulted here.
#include "platform/ResourceStrings.h"

#include "platform/BuiltInStrings.h"

std::string LoadResourceString(int id) {
    const char* text = FindBuiltInString(id);
    if (text == nullptr) return kLostString;
    return ClipResourceText(text);
}
