#include "cli/CoreSplit.h"

#include <algorithm>

#include "image/Parallel.h"

int32_t CommandThreads() { return ParallelThreads(); }

CoreSplit SplitThreads(int32_t threads, std::size_t files) {
    CoreSplit split;
    threads = std::max(threads, 1);
    split.filesAtOnce = static_cast<int32_t>(std::clamp<std::size_t>(files, 1, static_cast<std::size_t>(threads)));
    split.threadsPerFile = threads / split.filesAtOnce;
    return split;
}
