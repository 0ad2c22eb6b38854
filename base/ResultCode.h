// The status pair that most operations return: a 32-bit status and, for a
// failure the user should be told about, the id of the string to show.
//
// The rules every operation that returns a ResultCode follows, so that its
// own comment need only add what is particular to it:
//   0     success.
//   1     cancelled by the user, or stopped because the Abort_Tester answered
//         yes; work done before the stop may stay done (an image partly
//         written), and the caller discards it.
//   -1    failure: the arguments define nothing to do, the input cannot be
//         used, or a step before this one did not succeed. The message id
//         names the string resource to show; 0 fails silently.
//   -108  out of memory (also for a size that does not fit the address
//         space); nothing the operation allocated is kept.
//   other codes from a host pass through unchanged.
#pragma once

#include <cstdint>

struct ResultCode {
    static constexpr int32_t kSuccess = 0;
    static constexpr int32_t kCancelled = 1;  // cancelled by the user or aborted
    static constexpr int32_t kFailure = -1;   // message id says what to show; 0 = silent
    static constexpr int32_t kOutOfMemory = -108;

    int32_t status = kSuccess;
    uint16_t messageId = 0;

    constexpr ResultCode() = default;
    constexpr explicit ResultCode(int32_t statusCode, uint16_t message = 0) : status(statusCode), messageId(message) {}

    static constexpr ResultCode Success() { return ResultCode(); }
    static constexpr ResultCode OutOfMemory() { return ResultCode(kOutOfMemory); }
    static constexpr ResultCode Cancelled() { return ResultCode(kCancelled); }
    static constexpr ResultCode Failure(uint16_t message = 0) { return ResultCode(kFailure, message); }

    constexpr bool IsSuccess() const { return status == kSuccess; }
    constexpr bool IsFailure() const { return status != kSuccess; }
};
