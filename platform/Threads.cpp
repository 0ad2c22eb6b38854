// Ids are handed out on a thread's first query from a process-wide counter:
// portable, and unlike system ids never reused by a later thread.
#include "platform/Threads.h"

#include <atomic>

namespace {

std::atomic<ThreadId> gLastThreadId{kNoThread};

}  // namespace

ThreadId CurrentThreadId() {
    thread_local const ThreadId id = gLastThreadId.fetch_add(1) + 1;
    return id;
}
