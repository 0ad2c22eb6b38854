#include "cli/BatchReport.h"

#include <cstdio>
#include <utility>

namespace {

std::string DurationText(double seconds) {
    const long whole = static_cast<long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

}  // namespace

BatchReport::BatchReport(std::ostream& err, std::string label, std::size_t files, bool terminal, bool quiet)
    : err_(err), label_(std::move(label)), files_(files), progress_(terminal && !quiet), quiet_(quiet) {
    std::lock_guard<std::mutex> guard(lock_);
    DrawProgressLocked();
}

void BatchReport::Kept(const std::vector<std::string>& outputs) {
    if (outputs.empty()) return;
    std::lock_guard<std::mutex> guard(lock_);
    kept_ += outputs.size();
    if (quiet_) return;
    ClearProgressLocked();
    err_ << "dapple: kept " << outputs.size() << (outputs.size() == 1 ? " file that exists" : " files that exist")
         << " (--overwrite replaces them):";
    for (const std::string& output : outputs) err_ << ' ' << output;
    err_ << '\n';
    DrawProgressLocked();
}

void BatchReport::Written() {
    std::lock_guard<std::mutex> guard(lock_);
    ++written_;
    DrawProgressLocked();
}

void BatchReport::Failed(const std::string& input, const std::string& problem) {
    std::lock_guard<std::mutex> guard(lock_);
    ++failed_;
    ClearProgressLocked();
    err_ << "dapple: " << input << ": " << problem << '\n';
    DrawProgressLocked();
}

void BatchReport::Warned(const std::string& text) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!warned_.insert(text).second) return;
    ClearProgressLocked();
    err_ << "dapple: warning: " << text << '\n';
    DrawProgressLocked();
}

void BatchReport::Finish(bool interrupted) {
    std::lock_guard<std::mutex> guard(lock_);
    if (shownLength_ > 0) err_ << '\n';
    shownLength_ = 0;
    progress_ = false;
    if (quiet_ && failed_ == 0 && !interrupted) return;
    err_ << written_ << " written, " << failed_ << " failed";
    if (kept_ > 0) err_ << ", " << kept_ << " kept as they were";
    const std::size_t done = written_ + failed_;
    if (interrupted) err_ << "; interrupted, " << (files_ > done ? files_ - done : 0) << " not done";
    err_ << '\n' << std::flush;
}

std::size_t BatchReport::FailedCount() const {
    std::lock_guard<std::mutex> guard(lock_);
    return failed_;
}

void BatchReport::DrawProgressLocked() {
    if (!progress_) return;
    const std::size_t done = written_ + failed_;
    std::string line = label_ + ": " + std::to_string(done) + " of " + std::to_string(files_) + " files";
    if (failed_ > 0) line += ", " + std::to_string(failed_) + " failed";
    if (done > 0 && done < files_) {
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        line += ", " + DurationText(elapsed * static_cast<double>(files_ - done) / static_cast<double>(done)) + " left";
    }
    const std::size_t length = line.size();
    if (length < shownLength_) line.append(shownLength_ - length, ' ');
    err_ << '\r' << line << std::flush;
    shownLength_ = length;
}

void BatchReport::ClearProgressLocked() {
    if (shownLength_ == 0) return;
    err_ << '\r' << std::string(shownLength_, ' ') << '\r';
    shownLength_ = 0;
}
