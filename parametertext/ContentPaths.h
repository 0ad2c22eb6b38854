// Content files as people name them on a command line. A name is looked
// for as a path of its own (absolute, or relative to the current folder),
// then inside the content folder; a name that begins with a backslash is
// the form a setting stores, relative to the data folder
// ("\Content\Tubes\Stars.tub"). A file found is checked with the reader of
// the effect's content before it is taken.
#pragma once

#include <string>

#include "base/FilterKind.h"

// The full path of the file named `typed`. False, with `problem` naming the
// places looked at, when there is no such file.
bool FindContentFile(const std::string& typed, std::string& fullPath, std::string& problem);

// The content reference for the file named `typed` as a content file of
// `kind`: its path and whether that is relative to the data folder (it is
// when the file lies inside it), and the file's full path. False, with `problem`, when the file is not
// found, is not content the effect can use (the reader's reason) or its path
// is too long to keep.
bool ContentReferenceFor(const std::string& typed, FilterKind kind, std::string& storedPath, bool& relative,
                         std::string& fullPath, std::string& problem);

// A stored reference as it is typed back: relative to the content folder
// ("Tubes/Stars.tub") when it lies there, a full path when it is absolute,
// else the stored form.
std::string ContentPathSetText(const std::string& storedPath, bool relative);
