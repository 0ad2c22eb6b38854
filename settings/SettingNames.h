// Names of named settings and library entries. Each entry is one file
// named exactly as the user typed the name, so a name must be a file name
// every system takes, and must never reach outside its folder.
#pragma once

#include <string>

// The longest name, in bytes.
inline constexpr std::size_t kMaxSettingNameLength = 31;

// Why `name` cannot be saved under; empty when it can. A name is 1 to 31
// characters long, begins with a letter A to Z or a to z or a digit, and
// holds none of \ : < > / " | * ? ' nor a control character. Windows
// would also store a name ending in a blank or a dot under another name
// (without them), and takes a device name (CON, NUL, COM1 and their kin,
// with or without an extension) for the device: such names are refused too.
std::string InvalidNameReason(const std::string& name);

// True when InvalidNameReason has nothing to say.
inline bool IsValidName(const std::string& name) { return InvalidNameReason(name).empty(); }

// True when `name` names a file inside its folder: not empty, not "." or
// "..", no folder separator, colon or NUL. Looser than IsValidName, so that
// entries put there by hand (or by an older version) can still be loaded,
// renamed and deleted.
bool IsEntryName(const std::string& name);
