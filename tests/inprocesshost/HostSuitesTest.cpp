// Handles, buffers, abort, progress and properties as a plug-in sees them.
#include <gtest/gtest.h>

#include <cstring>

#include "inprocesshost/InProcessHost.h"

namespace {

TEST(HostHandles, CountedResizedAndSafeAgainstMisuse) {
    InProcessHost host;
    const ps::HandleProcs& procs = *host.Record().handleProcs;
    ps::Handle handle = procs.newProc(4);
    ASSERT_NE(handle, nullptr);
    ps::Ptr data = procs.lockProc(handle, 0);
    std::memcpy(data, "abcd", 4);
    EXPECT_EQ(procs.setSizeProc(handle, 8), HostHandleTable::kLockedHandleError);
    procs.unlockProc(handle);
    EXPECT_EQ(procs.setSizeProc(handle, 6), ps::noErr);
    EXPECT_EQ(procs.getSizeProc(handle), 6);
    EXPECT_EQ(std::memcmp(procs.lockProc(handle, 0), "abcd\0\0", 6), 0) << "contents kept, growth zeroed";
    EXPECT_EQ(host.HandleCounts().locked, 1);
    procs.unlockProc(handle);
    EXPECT_EQ(host.LeakedHandles(), 1);

    procs.disposeProc(handle);
    procs.disposeProc(handle);  // a second disposal must not touch memory
    EXPECT_EQ(procs.lockProc(handle, 0), nullptr);
    const HandleStats stats = host.HandleCounts();
    EXPECT_EQ(stats.allocated, 1);
    EXPECT_EQ(stats.disposed, 1);
    EXPECT_EQ(stats.live, 0);
    EXPECT_EQ(stats.invalidCalls, 2);
    EXPECT_EQ(procs.newProc(-1), nullptr);
}

TEST(HostBuffers, CountedAndLimitedToTheSpaceOffered) {
    InProcessHost host;
    host.SetBufferSpace(1000);
    const ps::BufferProcs& procs = *host.Record().bufferProcs;
    EXPECT_EQ(procs.spaceProc(), 1000);
    ps::BufferID id = nullptr;
    EXPECT_EQ(procs.allocateProc(1001, &id), ps::memFullErr);
    EXPECT_EQ(id, nullptr);
    ASSERT_EQ(procs.allocateProc(1000, &id), ps::noErr);
    ASSERT_NE(procs.lockProc(id, 1), nullptr);
    EXPECT_EQ(host.BufferCounts().locked, 1);
    procs.unlockProc(id);
    procs.freeProc(id);
    procs.freeProc(id);
    const BufferStats stats = host.BufferCounts();
    EXPECT_EQ(stats.live, 0);
    EXPECT_EQ(stats.freed, 1);
    EXPECT_EQ(stats.invalidCalls, 1);
}

TEST(HostCallbacks, AbortAfterCountedCallsAndProgressRecorded) {
    InProcessHost host;
    host.AbortAfterCalls(2);
    const ps::FilterRecord& record = host.Record();
    EXPECT_EQ(record.abortProc(), 0);
    EXPECT_EQ(record.abortProc(), 0);
    EXPECT_EQ(record.abortProc(), 1);
    EXPECT_EQ(record.abortProc(), 1);
    EXPECT_EQ(host.AbortCalls(), 4);

    std::vector<int32_t> seen;
    host.SetProgressObserver([&seen](int32_t done, int32_t) { seen.push_back(done); });
    record.progressProc(0, 1000);
    record.progressProc(1000, 1000);
    ASSERT_EQ(host.ProgressCalls().size(), 2u);
    EXPECT_EQ(host.ProgressCalls()[1].done, 1000);
    EXPECT_EQ(host.ProgressCalls()[1].total, 1000);
    EXPECT_EQ(seen, (std::vector<int32_t>{0, 1000}));
}

TEST(HostProperties, VersionRulerUnitsAndBusyCursor) {
    InProcessHost host;
    host.SetVersion(HostVersionNumber{6, 5, 1}, PropertyAnswer::Complex).SetRulerUnits(3);
    const ps::PropertyProcs& procs = *host.Record().propertyProcs;
    intptr_t simple = -1;
    ps::Handle complex = nullptr;
    ASSERT_EQ(procs.getPropertyProc(ps::kPhotoshopSignature, ps::propVersion, 0, &simple, &complex), ps::noErr);
    ASSERT_NE(complex, nullptr);
    const auto* bytes = reinterpret_cast<const unsigned char*>(host.Record().handleProcs->lockProc(complex, 0));
    const unsigned char expected[12] = {0, 0, 0, 6, 0, 0, 0, 5, 0, 0, 0, 1};
    EXPECT_EQ(std::memcmp(bytes, expected, 12), 0);
    host.Record().handleProcs->disposeProc(complex);

    host.SetVersion(HostVersionNumber{6, 5, 1}, PropertyAnswer::Simple);
    complex = nullptr;
    ASSERT_EQ(procs.getPropertyProc(ps::kPhotoshopSignature, ps::propVersion, 0, &simple, &complex), ps::noErr);
    EXPECT_EQ(simple, 0x060501);
    EXPECT_EQ(complex, nullptr);
    ASSERT_EQ(procs.getPropertyProc(ps::kPhotoshopSignature, ps::propRulerUnits, 0, &simple, nullptr), ps::noErr);
    EXPECT_EQ(simple, 3);

    host.SetVersion(HostVersionNumber{6, 5, 1}, PropertyAnswer::Nothing);
    simple = -7;
    ASSERT_EQ(procs.getPropertyProc(ps::kPhotoshopSignature, ps::propRulerUnits, 0, &simple, nullptr), ps::noErr);
    EXPECT_EQ(simple, -7) << "this host answers without writing";

    EXPECT_EQ(procs.getPropertyProc(ps::FourCC("XXXX"), ps::propVersion, 0, &simple, nullptr),
              ps::errPlugInPropertyUndefined);
    EXPECT_EQ(procs.setPropertyProc(ps::kPhotoshopSignature, ps::propWatchSuspension, 0, 1, nullptr), ps::noErr);
    EXPECT_EQ(procs.setPropertyProc(ps::kPhotoshopSignature, ps::propWatchSuspension, 0, 0, nullptr), ps::noErr);
    EXPECT_EQ(host.WatchSuspensions(), (std::vector<intptr_t>{1, 0}));
    EXPECT_EQ(host.LeakedHandles(), 0);
}

}  // namespace
