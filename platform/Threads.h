// Thread identity, so that host services can tell whether they run on the
// thread that made the host's call.
#pragma once

#include <cstdint>

// Ids are unique for the life of the process and never kNoThread.
using ThreadId = std::uint64_t;
inline constexpr ThreadId kNoThread = 0;

// The id of the calling thread; the same on every call from one thread.
ThreadId CurrentThreadId();
