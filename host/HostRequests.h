// The request fields through which the core asks the host for pixels
// (rectangles, planes, sampling rates). The core always leaves them cleared
// when it is done, so that the host sees no request it did not mean.
#pragma once

#include "pluginapi/PluginInterface.h"

// Input, output and mask rectangles empty (all zero), mask sampling rate 1.
void ClearRequests(ps::FilterRecord& record);

// Clears the requests when it goes out of scope.
class RequestsClearedOnExit {
public:
    explicit RequestsClearedOnExit(ps::FilterRecord& record) : record_(record) {}
    ~RequestsClearedOnExit() { ClearRequests(record_); }
    RequestsClearedOnExit(const RequestsClearedOnExit&) = delete;
    RequestsClearedOnExit& operator=(const RequestsClearedOnExit&) = delete;

private:
    ps::FilterRecord& record_;
};
