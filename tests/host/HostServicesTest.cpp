// Host services called directly inside a host call: text handles, the
// translation of old hosts' ruler units, the buffer suite's completeness and
// the relay of calls from a thread that is not the host's.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "host/HostBuffers.h"
#include "host/HostCallRelay.h"
#include "host/HostCalls.h"
#include "host/HostContext.h"
#include "host/HostHandles.h"
#include "host/HostProperties.h"
#include "inprocesshost/InProcessHost.h"

namespace {

TEST(HostProperties, RulerUnitsOfHostsBeforeVersionSevenAreTranslated) {
    const intptr_t oldHost[][2] = {{0, 0}, {1, 1}, {2, 2}, {3, 4}, {4, 5}, {5, 0}, {-2, 0}};
    for (const auto& pair : oldHost) EXPECT_EQ(RulerUnitsFromHost(pair[0], 6), pair[1]) << pair[0];
    // Version 7 on, the codes are the length units already; others become 0.
    const intptr_t newHost[][2] = {{3, 3}, {5, 5}, {6, 0}, {-1, 0}};
    for (const auto& pair : newHost) EXPECT_EQ(RulerUnitsFromHost(pair[0], 7), pair[1]) << pair[0];
}

TEST(HostHandles, TextHandlesHoldTheCharactersAndEmptyTextsAreRefused) {
    InProcessHost host;
    HostCallScope scope(&host.Record());
    ps::Handle handle = nullptr;
    ASSERT_TRUE(NewTextHandle("25.00 pixels", handle).IsSuccess());
    EXPECT_EQ(HandleSize(handle), 12);  // no terminator
    std::string text;
    ASSERT_TRUE(ReadTextHandle(handle, text).IsSuccess());
    EXPECT_EQ(text, "25.00 pixels");
    DisposeHandle(handle);

    // A host that counts a terminator (and more) in the size.
    ps::Handle terminated = host.Handles().NewWith("abc\0\0", 5);
    ASSERT_TRUE(ReadTextHandle(terminated, text).IsSuccess());
    EXPECT_EQ(text, "abc");
    DisposeHandle(terminated);

    EXPECT_EQ(NewTextHandle("", handle).status, -1);
    ps::Handle empty = NewHandle(0);
    EXPECT_EQ(ReadTextHandle(empty, text).status, -1);
    DisposeHandle(empty);
    EXPECT_EQ(host.LeakedHandles(), 0);
}

TEST(HostBuffers, TheServicesNeedAllFiveCallbacks) {
    InProcessHost host;
    {
        HostCallScope scope(&host.Record());
        ASSERT_TRUE(HasBufferServices());
        ps::BufferID buffer = nullptr;
        ASSERT_TRUE(AllocateBuffer(64, buffer).IsSuccess());
        EXPECT_NE(LockBuffer(buffer), nullptr);
        UnlockBuffer(buffer);
        FreeBuffer(buffer);
    }
    host.BufferSuite().spaceProc = nullptr;  // the suite's version still looks fine
    HostCallScope scope(&host.Record());
    EXPECT_FALSE(HasBufferServices());
    ps::BufferID buffer = nullptr;
    EXPECT_EQ(AllocateBuffer(64, buffer).status, -1);
    EXPECT_EQ(BufferSpace(), -1);
    EXPECT_EQ(host.BufferCounts().allocated, 1);
    EXPECT_EQ(host.BufferCounts().live, 0);
}

// Stands for the dialog's window: records the messages it is sent.
class RecordingRelay : public IHostCallRelay {
public:
    ps::OSErr Relay(HostCallMessage message, void* argument) override {
        messages.push_back(static_cast<uint32_t>(message));
        arguments.push_back(argument);
        return 7;
    }
    std::vector<uint32_t> messages;
    std::vector<void*> arguments;
};

TEST(HostCallRelay, AnotherThreadsCallsGoToTheDialogAndItsBufferCallsNowhere) {
    InProcessHost host;
    HostCallScope scope(&host.Record());
    RecordingRelay relay;
    IHostCallRelay* previous = SetHostCallRelay(&relay);
    ps::OSErr advance = 0, property = 0;
    ResultCode allocate;
    std::thread worker([&] {
        advance = HostAdvanceState();
        intptr_t simple = 0;
        property = HostGetProperty(ps::kPhotoshopSignature, ps::propRulerUnits, 0, &simple, nullptr);
        ps::BufferID buffer = nullptr;
        allocate = AllocateBuffer(64, buffer);
    });
    worker.join();
    SetHostCallRelay(previous);

    EXPECT_EQ(advance, 7);
    EXPECT_EQ(property, 7);
    EXPECT_EQ(relay.messages, (std::vector<uint32_t>{0x8005, 0x8008}));
    EXPECT_EQ(allocate.status, -1);
    EXPECT_EQ(host.AdvanceStateCalls(), 0);
    EXPECT_EQ(host.BufferCounts().allocated, 0);

    // The window procedure makes the call on the host thread with the
    // record the message carried.
    host.SetRulerUnits(5);
    intptr_t units = -1;
    GetPropertyCall call{ps::kPhotoshopSignature, ps::propRulerUnits, 0, &units, nullptr};
    EXPECT_EQ(CallHostDirectly(HostCallMessage::GetProperty, &call), ps::noErr);
    EXPECT_EQ(units, 5);
    EXPECT_EQ(CallHostDirectly(HostCallMessage::ReadPixels, nullptr), -1);
}

}  // namespace
