// The content file a content parameter of an effect names, as a path the
// content readers open.
#pragma once

#include <string>

#include "content/ContentReference.h"
#include "image/ResultCode.h"

// A relative reference is taken from the folder of the module that holds
// the core (the plug-in folder); an absolute one is its path. -1 when the
// plug-in folder cannot be found.
ResultCode ContentFilePath(const ContentReference& reference, std::string& path);
