// Host calls made on a second thread travel to the host thread as messages
// to a dialog window, and the host's callbacks run there, while the host
// thread dispatches messages. Buffer calls never travel.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "controls/VtDialog.h"
#include "host/HostBuffers.h"
#include "host/HostCalls.h"
#include "host/HostContext.h"
#include "host/WindowHostCallRelay_win32.h"

namespace {

// What the host's callbacks saw; they carry no context, so it is global.
struct HostLog {
    std::vector<DWORD> callThreads;  // the thread of every callback, in order
    ps::OSErr advanceStateAnswer = 0;
    ps::PIType propertyKey = 0;
    const ps::PSPixelMap* displayedMap = nullptr;
    int32_t displayRow = 0;
    int32_t displayColumn = 0;
};

HostLog gLog;

void NoteCall() { gLog.callThreads.push_back(GetCurrentThreadId()); }

ps::OSErr PS_CALLBACK AdvanceStateCallback() {
    NoteCall();
    return gLog.advanceStateAnswer;
}

ps::OSErr PS_CALLBACK ColourServicesCallback(ps::ColorServicesInfo* info) {
    NoteCall();
    // A conversion answers in the caller's own record.
    info->resultSpace = ps::plugIncolorServicesRGBSpace;
    for (int16_t i = 0; i < 4; ++i) info->colorComponents[i] = static_cast<int16_t>(10 * (i + 1));
    return ps::noErr;
}

ps::OSErr PS_CALLBACK GetPropertyCallback(ps::PIType, ps::PIType key, int32_t, intptr_t* simple, ps::Handle*) {
    NoteCall();
    gLog.propertyKey = key;
    *simple = 0x070100;
    return ps::noErr;
}

ps::OSErr PS_CALLBACK DisplayPixelsCallback(const ps::PSPixelMap* source, const ps::VRect*, int32_t row, int32_t column,
                                            void*) {
    NoteCall();
    gLog.displayedMap = source;
    gLog.displayRow = row;
    gLog.displayColumn = column;
    return ps::noErr;
}

ps::OSErr PS_CALLBACK ReadPixelsCallback(ps::ChannelReadPort, const ps::PSScaling*, const ps::VRect* writeRect,
                                         const ps::PixelMemoryDesc*, ps::VRect* wroteRect) {
    NoteCall();
    *wroteRect = *writeRect;
    return ps::noErr;
}

int gBufferStorage = 0;

ps::OSErr PS_CALLBACK AllocateBufferCallback(int32_t, ps::BufferID* buffer) {
    NoteCall();
    *buffer = reinterpret_cast<ps::BufferID>(&gBufferStorage);
    return ps::noErr;
}
ps::Ptr PS_CALLBACK LockBufferCallback(ps::BufferID buffer, ps::Boolean) {
    NoteCall();
    return reinterpret_cast<ps::Ptr>(buffer);
}
void PS_CALLBACK UnlockBufferCallback(ps::BufferID) { NoteCall(); }
void PS_CALLBACK FreeBufferCallback(ps::BufferID) { NoteCall(); }
int32_t PS_CALLBACK BufferSpaceCallback() {
    NoteCall();
    return 1 << 20;
}

// A dialog that serves relayed host calls, as the filter dialog does.
class RelayingDialog : public VtDialog {
public:
    void InitDialog(ResultCode& out) override { out = ResultCode::Success(); }
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (IsHostCallMessage(message)) return AnswerHostCallMessage(message, wparam, lparam);
        return -1;
    }
};

struct alignas(4) EmptyTemplate {
    DLGTEMPLATE header{WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 0, 0, 120, 60};
    WORD menu = 0;
    WORD windowClass = 0;
    WCHAR title[2] = {L'R', 0};
};

void DispatchWaitingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

class HostCallRelayTest : public testing::Test {
protected:
    void SetUp() override {
        gLog = HostLog();
        bufferProcs = {
            ps::kCurrentBufferProcsVersion, ps::kCurrentBufferProcsCount, AllocateBufferCallback, LockBufferCallback,
            UnlockBufferCallback,           FreeBufferCallback,           BufferSpaceCallback};
        propertyProcs = {ps::kCurrentPropertyProcsVersion, 2, GetPropertyCallback, nullptr};
        portProcs = {ps::kCurrentChannelPortProcsVersion, 3, ReadPixelsCallback, nullptr, nullptr};
        record = std::make_unique<ps::FilterRecord>();
        record->advanceState = AdvanceStateCallback;
        record->colorServices = ColourServicesCallback;
        record->displayPixels = DisplayPixelsCallback;
        record->propertyProcs = &propertyProcs;
        record->channelPortProcs = &portProcs;
        record->bufferProcs = &bufferProcs;
        // This thread makes the host call: it is the host thread.
        scope = std::make_unique<HostCallScope>(record.get());
        EmptyTemplate dialogTemplate;
        window = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &dialogTemplate.header, nullptr, VtDialogProc,
                                            reinterpret_cast<LPARAM>(&dialog));
        ASSERT_NE(window, nullptr);
    }

    void TearDown() override {
        if (window != nullptr && IsWindow(window)) DestroyWindow(window);
        scope.reset();
    }

    // Runs `work` on a second thread while this thread dispatches messages,
    // as the dialog's thread does while the preview renders.
    static void OnSecondThread(const std::function<void()>& work) {
        std::atomic<bool> done{false};
        std::thread worker([&] {
            work();
            done = true;
        });
        while (!done) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            DispatchWaitingMessages();
        }
        worker.join();
    }

    ps::BufferProcs bufferProcs{};
    ps::PropertyProcs propertyProcs{};
    ps::ChannelPortProcs portProcs{};
    std::unique_ptr<ps::FilterRecord> record;
    std::unique_ptr<HostCallScope> scope;
    RelayingDialog dialog;
    HWND window = nullptr;
};

}  // namespace

TEST_F(HostCallRelayTest, ServicesCalledOnASecondThreadRunOnTheHostThreadWithTheCallersRecords) {
    WindowHostCallRelay relay(window);
    gLog.advanceStateAnswer = -30;  // a host refusal passes through unchanged
    DWORD workerThread = 0;
    ps::OSErr advance = 1, colour = 1, property = 1, display = 1, read = 1;
    ps::ColorServicesInfo info{};
    intptr_t version = 0;
    ps::PSPixelMap map{};
    const ps::VRect wanted{1, 2, 3, 4};
    ps::VRect wrote{};
    OnSecondThread([&] {
        workerThread = GetCurrentThreadId();
        advance = HostAdvanceState();
        info.infoSize = sizeof info;
        colour = HostColourServices(info);
        property = HostGetProperty(ps::kPhotoshopSignature, ps::FourCC("vers"), 0, &version, nullptr);
        display = HostDisplayPixels(&map, nullptr, 17, 23, nullptr);
        read = HostReadPixels(nullptr, nullptr, &wanted, nullptr, &wrote);
    });

    EXPECT_NE(workerThread, GetCurrentThreadId());
    ASSERT_EQ(gLog.callThreads.size(), 5u);
    for (DWORD thread : gLog.callThreads) EXPECT_EQ(thread, GetCurrentThreadId());
    EXPECT_EQ(advance, -30);
    EXPECT_EQ(colour, 0);
    EXPECT_EQ(info.resultSpace, ps::plugIncolorServicesRGBSpace);
    EXPECT_EQ(info.colorComponents[0], 10);
    EXPECT_EQ(info.colorComponents[3], 40);
    EXPECT_EQ(property, 0);
    EXPECT_EQ(gLog.propertyKey, ps::FourCC("vers"));
    EXPECT_EQ(version, 0x070100);
    EXPECT_EQ(display, 0);
    EXPECT_EQ(gLog.displayedMap, &map);
    EXPECT_EQ(gLog.displayRow, 17);
    EXPECT_EQ(gLog.displayColumn, 23);
    EXPECT_EQ(read, 0);
    EXPECT_EQ(wrote.top, 1);
    EXPECT_EQ(wrote.right, 4);
}

TEST_F(HostCallRelayTest, BufferCallsOnASecondThreadAreRefusedWithoutReachingTheHost) {
    WindowHostCallRelay relay(window);
    ResultCode allocated;
    ps::BufferID buffer = reinterpret_cast<ps::BufferID>(&gBufferStorage);
    void* locked = &gBufferStorage;
    int32_t space = 0;
    bool hasServices = true;
    OnSecondThread([&] {
        hasServices = HasBufferServices();
        allocated = AllocateBuffer(64, buffer);
        locked = LockBuffer(reinterpret_cast<ps::BufferID>(&gBufferStorage));
        UnlockBuffer(reinterpret_cast<ps::BufferID>(&gBufferStorage));
        FreeBuffer(reinterpret_cast<ps::BufferID>(&gBufferStorage));
        space = BufferSpace();
    });
    EXPECT_FALSE(hasServices);
    EXPECT_EQ(allocated.status, -1);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(locked, nullptr);
    EXPECT_EQ(space, -1);
    EXPECT_TRUE(gLog.callThreads.empty());

    // The same calls on the host thread do reach the host.
    EXPECT_TRUE(AllocateBuffer(64, buffer).IsSuccess());
    EXPECT_EQ(BufferSpace(), 1 << 20);
    EXPECT_EQ(gLog.callThreads.size(), 2u);
}

TEST_F(HostCallRelayTest, WithoutAWindowThatServesTheCallItFailsAndTheHostIsNotCalled) {
    ps::OSErr withoutRelay = 0;
    OnSecondThread([&] { withoutRelay = HostAdvanceState(); });
    EXPECT_EQ(withoutRelay, -1);

    // A window that does not serve relays answers 0 to anything; that must
    // not pass for the host's "no error".
    HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleW(nullptr),
                                 nullptr);
    ASSERT_NE(plain, nullptr);
    ps::OSErr toPlainWindow = 0;
    {
        WindowHostCallRelay relay(plain);
        OnSecondThread([&] { toPlainWindow = HostAdvanceState(); });
    }
    DestroyWindow(plain);
    EXPECT_EQ(toPlainWindow, -1);

    // The dialog's window is gone before its relay.
    WindowHostCallRelay relay(window);
    DestroyWindow(window);
    ps::OSErr toDestroyedWindow = 0;
    OnSecondThread([&] { toDestroyedWindow = HostAdvanceState(); });
    EXPECT_EQ(toDestroyedWindow, -1);
    EXPECT_TRUE(gLog.callThreads.empty());
}

TEST_F(HostCallRelayTest, OnlyTheHostThreadAnswersAndOnlyHostCallMessages) {
    LRESULT offHostThread = 0;
    OnSecondThread([&] { offHostThread = AnswerHostCallMessage(0x8005, 0, 0); });
    EXPECT_EQ(offHostThread, -1);
    EXPECT_TRUE(gLog.callThreads.empty());

    EXPECT_FALSE(IsHostCallMessage(0x8004));
    EXPECT_TRUE(IsHostCallMessage(0x8005));
    EXPECT_TRUE(IsHostCallMessage(0x8009));
    EXPECT_FALSE(IsHostCallMessage(0x800A));
    EXPECT_EQ(AnswerHostCallMessage(0x8004, 0, 0), -1);
    EXPECT_EQ(AnswerHostCallMessage(0x800A, 0, 0), -1);
    EXPECT_TRUE(gLog.callThreads.empty());

    gLog.advanceStateAnswer = 5;
    EXPECT_EQ(AnswerHostCallMessage(0x8005, 0, 0), 5);
    EXPECT_EQ(gLog.callThreads.size(), 1u);
}

TEST_F(HostCallRelayTest, ARelayGivesBackThePlaceOfTheOneItReplaced) {
    EXPECT_EQ(CurrentHostCallRelay(), nullptr);
    {
        WindowHostCallRelay outer(window);
        {
            WindowHostCallRelay inner(window);
            EXPECT_EQ(CurrentHostCallRelay(), &inner);
        }
        EXPECT_EQ(CurrentHostCallRelay(), &outer);
    }
    EXPECT_EQ(CurrentHostCallRelay(), nullptr);
}
