// How a batch shares the machine: files at once times threads per file is
// at most the threads the command may use. The one place that decides how
// many threads that is.
#pragma once

#include <cstddef>
#include <cstdint>

struct CoreSplit {
    int32_t filesAtOnce = 1;
    int32_t threadsPerFile = 1;
};

// The threads the command may use: --threads, else DAPPLE_THREADS, else one
// per core of the machine (ParallelThreads).
int32_t CommandThreads();

// As many files at once as there are threads (and files), the threads left
// over shared out among them: 2 threads and 40 files give 2 files of 1
// thread each, 8 threads and 3 files 3 files of 2 threads each.
CoreSplit SplitThreads(int32_t threads, std::size_t files);
