#include "platform/Interrupts.h"

#include "platform/InterruptsShared.h"

#include <atomic>
#include <cstring>

namespace {

// Fixed slots, so that a signal handler can walk them without locks or
// allocation. A slot's path is written before it is marked ready, and the
// mark is taken away before the slot is given back.
constexpr int kSlots = 64;
constexpr std::size_t kPathBytes = kMaxRegisteredPathBytes;

struct Slot {
    std::atomic<bool> taken{false};
    std::atomic<bool> ready{false};
    char path[kPathBytes] = {};
};

Slot g_slots[kSlots];
std::atomic<long long> g_children[kSlots];
std::atomic<bool> g_requested{false};
std::atomic<int> g_signal{0};

}  // namespace

bool InterruptRequested() { return g_requested.load(); }

void SetInterruptRequested(bool requested) { g_requested.store(requested); }

bool NoteInterrupt(int signal) {
    int none = 0;
    g_signal.compare_exchange_strong(none, signal);
    return g_requested.exchange(true);
}

int NotedInterruptSignal() { return g_signal.load(); }

ChildProcessRegistration::ChildProcessRegistration(long long processId) {
    for (int i = 0; i < kSlots; ++i) {
        long long free = 0;
        if (!g_children[i].compare_exchange_strong(free, processId)) continue;
        slot_ = i;
        return;
    }
}

ChildProcessRegistration::~ChildProcessRegistration() {
    if (slot_ >= 0) g_children[slot_].store(0);
}

void TellRegisteredChildren(void (*tell)(long long processId, int signal), int signal) {
    for (std::atomic<long long>& child : g_children) {
        const long long processId = child.load();
        if (processId != 0) tell(processId, signal);
    }
}

TemporaryFileRegistration::TemporaryFileRegistration(const std::string& path) {
    if (path.size() >= kPathBytes) return;
    for (int i = 0; i < kSlots; ++i) {
        bool free = false;
        if (!g_slots[i].taken.compare_exchange_strong(free, true)) continue;
        std::memcpy(g_slots[i].path, path.c_str(), path.size() + 1);
        g_slots[i].ready.store(true);
        slot_ = i;
        return;
    }
}

TemporaryFileRegistration::~TemporaryFileRegistration() {
    if (slot_ < 0) return;
    g_slots[slot_].ready.store(false);
    g_slots[slot_].taken.store(false);
}

void RemoveRegisteredTemporaryFiles() {
    for (Slot& slot : g_slots) {
        if (slot.ready.load()) RemoveFileInHandler(slot.path);
    }
}
