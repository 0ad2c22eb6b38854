// Message and name strings of the plug-in modules, loaded by number, and the
// process-wide resource module they are loaded from.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

// The resource module is the plug-in module that carries the strings and
// dialog templates; the exported SetResourceHandle stores it here.
// SetResourceModule stores `module` and returns it. Safe from any thread.
void* SetResourceModule(void* module);
// The stored module, or null before SetResourceModule was called.
void* ResourceModule();

// A loaded string has at most this many bytes; longer texts are cut.
constexpr std::size_t kMaxResourceStringLength = 799;
// What LoadResourceString returns for a string that cannot be loaded.
inline constexpr char kLostString[] = "LOST STRING!";

// The text of string `id` (UTF-8). Never fails: a missing string, or one
// that cannot be loaded, yields kLostString.
std::string LoadResourceString(int id);

// `text` cut to kMaxResourceStringLength bytes; a UTF-8 sequence that would
// be split by the cut is dropped whole.
std::string ClipResourceText(std::string_view text);

// Puts `values` in place of the "%d" conversions of `format`, in order, and
// "%" in place of "%%". Returns false, leaving `out` unchanged, unless the
// format has exactly as many "%d" as there are values and no other
// conversion: a resource text never reaches a printf-style formatter.
bool FormatIntegers(std::string_view format, std::initializer_list<int> values, std::string& out);

// `text` with its first "%s" replaced by `name` (the messages that name a
// setting or library entry take it that way); unchanged without one.
std::string WithName(const std::string& text, const std::string& name);

// String `id` with `values` put in as FormatIntegers does. When the text
// does not take exactly these integers (a missing string, a faulty text),
// the result is the text followed by the values in parentheses, so that
// the numbers still reach the user.
std::string LoadFormattedResourceString(int id, std::initializer_list<int> values);
