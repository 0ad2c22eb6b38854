#include "cli/ProgressBar.h"

#include <algorithm>
#include <cstdio>

void ProgressBar::Update(int32_t done, int32_t total) {
    const double fraction = total > 0 ? std::clamp(static_cast<double>(done) / total, 0.0, 1.0) : 0.0;
    const int percent = static_cast<int>(fraction * 100.0);
    if (percent == shownPercent_) return;
    shownPercent_ = percent;
    const int filled = static_cast<int>(fraction * kWidth);
    char number[8];
    std::snprintf(number, sizeof number, "%3d%%", percent);
    stream_ << '\r' << label_ << " [" << std::string(static_cast<std::size_t>(filled), '#')
            << std::string(static_cast<std::size_t>(kWidth - filled), '-') << "] " << number << std::flush;
}

void ProgressBar::Finish() {
    if (shownPercent_ < 0) return;
    stream_ << '\n' << std::flush;
    shownPercent_ = -1;
}
