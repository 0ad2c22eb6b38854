// Loops over independent pieces of work, spread over the process's worker
// threads.
//
// A loop over [0, count) is cut into chunks of a size the caller chooses, so
// that where the cuts fall never depends on how many threads there are: as
// long as each chunk writes only its own results, with the same arithmetic
// whichever thread runs it, the outcome is byte for byte the same for any
// number of threads. The calling thread works on the loop too and is the only
// thread that asks the abort tester and reports progress, so that host
// callbacks behind them are made on the thread that called.
//
// The workers are started when a loop first needs them and live until
// StopParallelWorkers; loops may be started from several threads at once, and
// a chunk may start a loop of its own.
#pragma once

#include <cstdint>
#include <functional>

#include "base/Progress.h"
#include "base/Rect.h"
#include "base/ResultCode.h"

// The number of threads loops use, the calling thread included (at least 1):
// the last SetParallelThreads, else the environment variable DAPPLE_THREADS
// when it holds a whole number from 1 to kMostParallelThreads, else the
// machine's processors.
int32_t ParallelThreads();

// Sets the number of threads for loops started from now on; 0 (or less)
// returns to the default. Counts above kMostParallelThreads are cut to it.
void SetParallelThreads(int32_t count);
inline constexpr int32_t kMostParallelThreads = 256;

// Ends the worker threads once their current chunks are done; the next loop
// starts them again. Code that may be unloaded with its module calls this
// before it returns to its host, so that no thread runs the module's code.
void StopParallelWorkers();

// Runs `body(begin, end)` for the chunks [0, chunk), [chunk, 2 chunk), ...
// of [0, count), the last one shorter, in any order and on any of the
// threads. Between chunks the calling thread asks `abort` (when given): once
// it answers yes, chunks not yet begun are skipped and the loop returns 1.
// Progress goes to `sink` (when given) as from + (to - from) x chunks done /
// chunks, after each finished chunk, rising. A body that throws
// std::bad_alloc makes the loop return -108 once the chunks begun are done;
// every other exception must stay inside the body.
ResultCode ParallelChunks(int64_t count, int64_t chunk, const std::function<void(int64_t, int64_t)>& body,
                          Abort_Tester* abort = nullptr, ProgressUpdateSink* sink = nullptr, double from = 0.0,
                          double to = 1.0);

// The chunk size that cuts `count` items into pieces of about `work` units
// when each item costs `itemCost` units: at least 1. Callers pass fixed
// numbers (not the thread count), so that the cuts stay the same everywhere.
int64_t ChunkForWork(int64_t count, int64_t itemCost, int64_t work);

// A loop over the rows of `area` in chunks of about kParallelRowPixels
// pixels: `rows(first, end)` for rows first .. end - 1, each chunk writing
// only its own rows. Abort and progress as ParallelChunks.
inline constexpr int64_t kParallelRowPixels = int64_t(1) << 16;
ResultCode ParallelRows(const Rect& area, const std::function<void(int32_t, int32_t)>& rows,
                        Abort_Tester* abort = nullptr, ProgressUpdateSink* sink = nullptr, double from = 0.0,
                        double to = 1.0);
