// Ids of resources and dialog items that the modules' resource scripts and
// the core's code share. Usable from C++ and from resource scripts.
#pragma once

// About box (dialog 122): the line that shows the product version.
#define kAboutVersionItemId 1001

// Told by a module whose core library cannot be loaded; lives in the
// modules' own string table because the core is not there to load it.
#define kCoreMissingMessageId 12000

// The resource type and id of each module's property list.
#define kPiplResourceId 16000
