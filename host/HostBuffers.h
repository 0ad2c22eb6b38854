// The host's buffer callbacks: large scratch memory from the host. They
// count as present only when the host offers all five, and they are refused
// on any thread but the host's.
#pragma once

#include <cstdint>

#include "base/ResultCode.h"
#include "pluginapi/PluginInterface.h"

// True on the host thread while the host offers all five buffer callbacks.
bool HasBufferServices();

// A new buffer of `size` bytes in `buffer`. -1 when refused here (other
// thread, no buffer services); the host's own error code otherwise.
ResultCode AllocateBuffer(int32_t size, ps::BufferID& buffer);
// The buffer's data (the host is asked to move it high); null when refused.
void* LockBuffer(ps::BufferID buffer);
void UnlockBuffer(ps::BufferID buffer);
void FreeBuffer(ps::BufferID buffer);
// Bytes the host can still give; -1 when refused.
int32_t BufferSpace();
