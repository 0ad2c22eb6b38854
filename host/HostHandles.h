// The host's handle callbacks: memory the host owns and may move while it is
// unlocked. Each call checks that the host offers the callback it needs.
#pragma once

#include <cstdint>
#include <string>

#include "base/ResultCode.h"
#include "pluginapi/PluginInterface.h"

// A new handle of `size` bytes; null when the host refuses or has no handle
// callbacks.
ps::Handle NewHandle(int32_t size);
void DisposeHandle(ps::Handle handle);
// The handle's data, valid until it is unlocked; null when it cannot be locked.
void* LockHandle(ps::Handle handle, bool moveHigh = false);
void UnlockHandle(ps::Handle handle);
// Bytes in the handle; -1 when the host cannot tell.
int32_t HandleSize(ps::Handle handle);

// A new handle holding the characters of `text` (no terminator). -1 for an
// empty text, -108 when the host refuses the handle.
ResultCode NewTextHandle(const std::string& text, ps::Handle& handle);
// The text a host handle holds, up to its first zero byte if any. -1 for a
// null handle, one that cannot be read, or an empty text.
ResultCode ReadTextHandle(ps::Handle handle, std::string& text);
