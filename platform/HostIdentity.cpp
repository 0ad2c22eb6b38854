#include "platform/HostIdentity.h"

#include <cctype>

bool EffectSwitchingAllowedFor(std::string_view executablePath) {
    if (executablePath.empty()) return false;
    const std::size_t separator = executablePath.find_last_of("/\\");
    const std::string_view name =
        separator == std::string_view::npos ? executablePath : executablePath.substr(separator + 1);
    constexpr std::string_view kRefusingHost = "FIREWORKS";
    if (name.size() < kRefusingHost.size()) return true;
    for (std::size_t i = 0; i < kRefusingHost.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(name[i])) != kRefusingHost[i]) return true;
    }
    return false;
}

bool HostAllowsEffectSwitching() {
    static const bool allowed = EffectSwitchingAllowedFor(HostExecutablePath());
    return allowed;
}
