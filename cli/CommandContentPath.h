// `--set Path=FILE` for an effect's content file: the file is found (a path
// relative to the content folder, or a full path), checked with the reader
// the effect uses, and remembered as the effect remembers a file chosen in
// its dialog: relative to the plug-in folder when it lies inside it.
#pragma once

#include <string>

#include "base/FilterKind.h"
#include "filters/TubeButtonParameter.h"
#include "inprocesshost/DescriptorStore.h"

// Puts the content reference for `file` under both of `parameter`'s keys
// (the path and its relative flag). False, with `problem` saying why, when
// the file is not content the effect of `kind` can use (the text of message
// 10033) or its path cannot be stored.
bool PutContentPath(FilterKind kind, const TubeButtonParameter& parameter, const std::string& file,
                    DescriptorStore& descriptor, std::string& problem);
