// A one-line progress bar for a terminal: "Edges [########------------]  33%",
// redrawn in place whenever the percentage changes.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>

class ProgressBar {
public:
    ProgressBar(std::ostream& stream, std::string label) : stream_(stream), label_(std::move(label)) {}
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // `done` of `total`; a total of 0 or less, or done outside 0..total, is clamped.
    void Update(int32_t done, int32_t total);
    // Ends the line, if anything was drawn.
    void Finish();

private:
    static constexpr int kWidth = 30;

    std::ostream& stream_;
    std::string label_;
    int shownPercent_ = -1;
};
