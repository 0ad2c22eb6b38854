#include "inprocesshost/ActiveHost.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

std::mutex& RegisterLock() {
    static std::mutex lock;
    return lock;
}

// Oldest first; the last one is active.
std::vector<InProcessHost*>& Hosts() {
    static std::vector<InProcessHost*> hosts;
    return hosts;
}

}  // namespace

InProcessHost* ActiveInProcessHost() {
    std::lock_guard<std::mutex> guard(RegisterLock());
    return Hosts().empty() ? nullptr : Hosts().back();
}

void RegisterInProcessHost(InProcessHost* host) {
    std::lock_guard<std::mutex> guard(RegisterLock());
    Hosts().push_back(host);
}

void UnregisterInProcessHost(InProcessHost* host) {
    std::lock_guard<std::mutex> guard(RegisterLock());
    auto& hosts = Hosts();
    hosts.erase(std::remove(hosts.begin(), hosts.end(), host), hosts.end());
}

void ActivateInProcessHost(InProcessHost* host) {
    std::lock_guard<std::mutex> guard(RegisterLock());
    auto& hosts = Hosts();
    auto found = std::find(hosts.begin(), hosts.end(), host);
    if (found == hosts.end()) return;
    hosts.erase(found);
    hosts.push_back(host);
}
