// The two small interfaces every long operation takes: one to ask whether the
// user has asked to stop, one to report how far the work has come.
//
// The rules every long operation follows:
//   * It takes its share of the whole job as a range [from, to] (or [start,
//     end]) and reports fractions within it, rising, to its sink; nested work
//     gets a sub-range. The last report of work cut into n equal steps is
//     from + (to − from) × (n − 1) ÷ n when it reports before each step.
//   * A null sink or abort tester means nobody listens or asks.
//   * When the Abort_Tester answers yes, the operation stops at the next
//     point where it asks and returns status 1 (ResultCode.h).
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

// The tester for work that nobody can stop.
class NeverAborts : public Abort_Tester {
public:
    bool IsAborted() override { return false; }
};
