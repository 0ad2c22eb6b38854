// Dispatch of the keyboard hook, driven through its hook procedure as the
// system calls it for a key taken from the queue.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/KeyboardHook.h"

namespace {

// Records its name on every call and may run an action then.
class LoggingSink : public EventNotifySink {
public:
    LoggingSink(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
    void Notify() override {
        log_.push_back(name_);
        seenKeys.push_back(KeyboardHook::keyCode);
        seenFlags.push_back(KeyboardHook::keyFlags);
        if (action) action();
    }
    std::function<void()> action;
    std::vector<WPARAM> seenKeys;
    std::vector<LPARAM> seenFlags;

private:
    std::vector<std::string>& log_;
    std::string name_;
};

class KeyboardHookTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(KeyboardHook::Install().IsSuccess()); }
    void TearDown() override {
        KeyboardHook::Uninstall();
        KeyboardHook::suspended = false;
    }

    static LRESULT Key(WPARAM key, LPARAM flags) { return KeyboardHook::HookProcedure(HC_ACTION, key, flags); }

    std::vector<std::string> log;
};

constexpr LPARAM kFirstPress = 0x001E0001;  // repeat 1, scan code 0x1E
constexpr LPARAM kAutoRepeat = kFirstPress | (1 << 30);

}  // namespace

TEST_F(KeyboardHookTest, SinksSeeTheKeyInListOrder) {
    LoggingSink a(log, "a"), b(log, "b");
    KeyboardHook::AddSink(&a);
    KeyboardHook::AddSink(&b);
    EXPECT_EQ(Key('A', kFirstPress), 0);  // nobody consumed it: passed on
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
    ASSERT_EQ(b.seenKeys.size(), 1u);
    EXPECT_EQ(b.seenKeys[0], static_cast<WPARAM>('A'));
    EXPECT_EQ(b.seenFlags[0], kFirstPress);
}

TEST_F(KeyboardHookTest, AConsumingSinkSwallowsTheKeyForOneEventOnly) {
    LoggingSink a(log, "a"), b(log, "b");
    a.action = [] { KeyboardHook::consumed = KeyboardHook::keyCode == VK_F5; };
    KeyboardHook::AddSink(&a);
    KeyboardHook::AddSink(&b);
    EXPECT_EQ(Key(VK_F5, kFirstPress), 1);
    // Every sink still hears the key.
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Key('Q', kFirstPress), 0);
}

TEST_F(KeyboardHookTest, RepeatAndReleaseBitsAreReadable) {
    LoggingSink a(log, "a");
    bool repeat = false;
    bool release = true;
    a.action = [&] {
        repeat = KeyboardHook::IsRepeat();
        release = KeyboardHook::IsRelease();
    };
    KeyboardHook::AddSink(&a);
    Key('Z', kAutoRepeat);
    EXPECT_TRUE(repeat);
    EXPECT_FALSE(release);
    Key('Z', static_cast<LPARAM>(0xC01E0001u));
    EXPECT_TRUE(release);
}

TEST_F(KeyboardHookTest, WhileSuspendedNoSinkRunsAndNoKeyIsSwallowed) {
    LoggingSink a(log, "a");
    a.action = [] { KeyboardHook::consumed = true; };
    KeyboardHook::AddSink(&a);
    KeyboardHook::suspended = true;
    EXPECT_EQ(Key(VK_F5, kFirstPress), 0);
    EXPECT_TRUE(log.empty());
    // A consumed flag left over from before is cleared, too.
    KeyboardHook::consumed = true;
    EXPECT_EQ(Key(VK_F5, kFirstPress), 0);
    KeyboardHook::suspended = false;
    EXPECT_EQ(Key(VK_F5, kFirstPress), 1);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(KeyboardHookTest, ASinkThatRemovesItselfDoesNotBreakTheDispatch) {
    LoggingSink a(log, "a"), b(log, "b"), c(log, "c");
    b.action = [&] { KeyboardHook::RemoveSink(&b); };
    KeyboardHook::AddSink(&a);
    KeyboardHook::AddSink(&b);
    KeyboardHook::AddSink(&c);
    Key('A', kFirstPress);
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "c"}));
    log.clear();
    Key('A', kFirstPress);
    EXPECT_EQ(log, (std::vector<std::string>{"a", "c"}));
}

TEST_F(KeyboardHookTest, SinksAddedOrRemovedByOthersDuringDispatch) {
    LoggingSink a(log, "a"), b(log, "b"), c(log, "c"), d(log, "d");
    // c removes the sink before it and the one after it, and adds d.
    c.action = [&] {
        KeyboardHook::RemoveSink(&a);
        KeyboardHook::RemoveSink(&b);
        KeyboardHook::AddSink(&d);
    };
    KeyboardHook::AddSink(&a);
    KeyboardHook::AddSink(&c);
    KeyboardHook::AddSink(&b);
    Key('A', kFirstPress);
    // b was removed before its turn; d, added during the dispatch, runs in it.
    EXPECT_EQ(log, (std::vector<std::string>{"a", "c", "d"}));
}

TEST_F(KeyboardHookTest, RemovingASinkRemovesEveryEntryOfIt) {
    LoggingSink a(log, "a");
    KeyboardHook::AddSink(&a);
    KeyboardHook::AddSink(&a);
    Key('A', kFirstPress);
    EXPECT_EQ(log.size(), 2u);
    KeyboardHook::RemoveSink(&a);
    log.clear();
    Key('A', kFirstPress);
    EXPECT_TRUE(log.empty());
}

TEST_F(KeyboardHookTest, KeysThatAreOnlyLookedAtAreNotDispatched) {
    LoggingSink a(log, "a");
    a.action = [] { KeyboardHook::consumed = true; };
    KeyboardHook::AddSink(&a);
    EXPECT_EQ(KeyboardHook::HookProcedure(HC_NOREMOVE, 'A', kFirstPress), 0);
    EXPECT_EQ(KeyboardHook::HookProcedure(-1, 'A', kFirstPress), 0);
    EXPECT_TRUE(log.empty());
}

TEST_F(KeyboardHookTest, UninstallForgetsTheSinksAndInstallStartsAFreshList) {
    LoggingSink a(log, "a");
    KeyboardHook::AddSink(&a);
    EXPECT_TRUE(KeyboardHook::IsInstalled());
    KeyboardHook::Uninstall();
    EXPECT_FALSE(KeyboardHook::IsInstalled());
    Key('A', kFirstPress);
    ASSERT_TRUE(KeyboardHook::Install().IsSuccess());
    Key('A', kFirstPress);
    EXPECT_TRUE(log.empty());
    // Adding while not installed is ignored rather than kept for later.
    KeyboardHook::Uninstall();
    KeyboardHook::AddSink(&a);
    ASSERT_TRUE(KeyboardHook::Install().IsSuccess());
    Key('A', kFirstPress);
    EXPECT_TRUE(log.empty());
}
