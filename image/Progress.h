// The two small interfaces every long operation takes: one to ask whether the
// user has asked to stop, one to report how far the work has come.
#pragma once

class Abort_Tester {
public:
    virtual ~Abort_Tester() = default;
    virtual bool IsAborted() = 0;
};

class ProgressUpdateSink {
public:
    virtual ~ProgressUpdateSink() = default;
    // `fraction` is usually in [0, 1]; callers pass sub-ranges to nested work.
    virtual void Update(double fraction) = 0;
};
