// What a batch tells the user, on the error stream: on a terminal one
// progress line for the whole batch (files done, files failed, time left),
// one line for each file that failed, and a summary at the end
// ("398 written, 2 failed"). Quiet, only the failures and, when any failed,
// the summary. Safe to call from any thread.
#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <ostream>
#include <set>
#include <string>
#include <vector>

class BatchReport {
public:
    // `files`: how many the batch will try to write.
    BatchReport(std::ostream& err, std::string label, std::size_t files, bool terminal, bool quiet);
    BatchReport(const BatchReport&) = delete;
    BatchReport& operator=(const BatchReport&) = delete;

    // The outputs that are there already and stay as they are, in one line.
    void Kept(const std::vector<std::string>& outputs);
    void Written();
    // "dapple: INPUT: PROBLEM" on a line of its own.
    void Failed(const std::string& input, const std::string& problem);
    // "dapple: warning: TEXT" on a line of its own, once for each TEXT: the
    // runs of many files warn alike.
    void Warned(const std::string& text);
    // Ends the progress line and gives the summary; `interrupted` adds how
    // many files were not done.
    void Finish(bool interrupted);

    std::size_t FailedCount() const;

private:
    void DrawProgressLocked();
    void ClearProgressLocked();

    mutable std::mutex lock_;
    std::ostream& err_;
    std::string label_;
    std::size_t files_;
    bool progress_;
    bool quiet_;
    std::size_t written_ = 0;
    std::size_t failed_ = 0;
    std::size_t kept_ = 0;
    std::size_t shownLength_ = 0;  // of the progress line on the terminal now; 0: none
    std::set<std::string> warned_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};
