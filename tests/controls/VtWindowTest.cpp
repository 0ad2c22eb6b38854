// Window binding and message dispatch of VtWindow and the control window
// procedure, observed through a control that records what reaches it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/ControlClasses.h"
#include "controls/VtControl.h"
#include "tests/controls/TestWindows.h"

namespace {

class RecordingControl : public VtControl {
public:
    ResultCode Create(HWND parent, const RECT& rect) {
        return CreateControlWindow(ControlClassAtom(ControlClass::Slider), parent, rect, 42, 0);
    }

    LRESULT OnCreate() override {
        ++creates;
        return 0;
    }
    LRESULT OnEraseBackground(HDC) override {
        ++erases;
        return 0;  // the toolkit still reports the background as erased
    }
    LRESULT OnSize(UINT, unsigned width, unsigned height) override {
        sizes.push_back({static_cast<LONG>(width), static_cast<LONG>(height)});
        return 77;
    }
    LRESULT OnLButtonDown(WPARAM keys, int x, int y) override {
        lastKeys = keys;
        lastPoint = {x, y};
        return 5;
    }
    LRESULT OnCommand(UINT notifyCode, UINT id, HWND control) override {
        lastCommand = {notifyCode, id, control};
        return 0;
    }
    LRESULT OnMessage(UINT message, WPARAM, LPARAM) override {
        messages.push_back(message);
        return answer;
    }

    struct Command {
        UINT code;
        UINT id;
        HWND control;
    };

    int creates = 0;
    int erases = 0;
    std::vector<SIZE> sizes;
    WPARAM lastKeys = 0;
    POINT lastPoint{};
    Command lastCommand{};
    std::vector<UINT> messages;
    LRESULT answer = 1234;
};

bool Saw(const RecordingControl& control, UINT message) {
    for (UINT seen : control.messages)
        if (seen == message) return true;
    return false;
}

class VtWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(classes.result.IsSuccess());
        ASSERT_NE(parent.Hwnd(), nullptr);
        ASSERT_TRUE(control.Create(parent.Hwnd(), RECT{10, 20, 110, 70}).IsSuccess());
        ASSERT_NE(control.Hwnd(), nullptr);
    }

    RegisteredControlClasses classes;
    TestParentWindow parent;
    RecordingControl control;
};

}  // namespace

TEST_F(VtWindowTest, CreationMessagesNeverReachTheObject) {
    // WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, the first WM_SIZE and WM_MOVE
    // all come before the window is bound.
    EXPECT_EQ(control.creates, 0);
    EXPECT_TRUE(control.sizes.empty());
    EXPECT_FALSE(Saw(control, WM_NCCREATE));
    EXPECT_FALSE(Saw(control, WM_NCCALCSIZE));
    EXPECT_EQ(VtWindow::FromHandle(control.Hwnd()), &control);
    EXPECT_EQ(GetDlgCtrlID(control.Hwnd()), 42);
    EXPECT_EQ(GetParent(control.Hwnd()), parent.Hwnd());
}

TEST_F(VtWindowTest, NcCreateOfAnUnboundWindowReturnsOneWithoutTheObject) {
    CREATESTRUCTW create{};
    EXPECT_EQ(VtControlWindowProc(control.Hwnd(), WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)), 1);
    EXPECT_EQ(VtControlWindowProc(control.Hwnd(), WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)), 0);
    EXPECT_EQ(control.creates, 0);
    EXPECT_TRUE(control.messages.empty());
}

TEST_F(VtWindowTest, ToolkitMessagesReturnTheHandlersResult) {
    EXPECT_EQ(control.Send(0x8000, 0, 0), 1234);
    EXPECT_EQ(control.Send(0x8005, 0, 0), 1234);
    EXPECT_EQ(control.Send(0x80C8, 0, 0), 1234);
    EXPECT_EQ(control.messages, (std::vector<UINT>{0x8000, 0x8005, 0x80C8}));
}

TEST_F(VtWindowTest, MessagesOutsideTheRangeReachTheHandlerThenTheDefault) {
    // The system default answers 0 for an unknown message.
    EXPECT_EQ(control.Send(0x80C9, 0, 0), 0);
    EXPECT_EQ(control.Send(0x7FFF, 0, 0), 0);
    EXPECT_TRUE(Saw(control, 0x80C9));
    EXPECT_TRUE(Saw(control, 0x7FFF));
    // WM_GETDLGCODE goes through the handler to the default as well.
    control.Send(WM_GETDLGCODE, 0, 0);
    EXPECT_TRUE(Saw(control, WM_GETDLGCODE));
}

TEST_F(VtWindowTest, HandlersGetTheirArgumentsSplitAndTheirResultsReturned) {
    // Signed client coordinates: -3 and -7 travel as 16-bit two's complement.
    const LPARAM point = MAKELPARAM(static_cast<WORD>(-3), static_cast<WORD>(-7));
    EXPECT_EQ(control.Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, point), 5);
    EXPECT_EQ(control.lastKeys, static_cast<WPARAM>(MK_LBUTTON | MK_SHIFT));
    EXPECT_EQ(control.lastPoint.x, -3);
    EXPECT_EQ(control.lastPoint.y, -7);

    EXPECT_EQ(control.Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(60000, 3)), 77);
    ASSERT_EQ(control.sizes.size(), 1u);
    EXPECT_EQ(control.sizes[0].cx, 60000);  // sizes are unsigned
    EXPECT_EQ(control.sizes[0].cy, 3);

    HWND fakeChild = parent.Hwnd();
    control.Send(WM_COMMAND, MAKEWPARAM(9, BN_CLICKED), reinterpret_cast<LPARAM>(fakeChild));
    EXPECT_EQ(control.lastCommand.code, static_cast<UINT>(BN_CLICKED));
    EXPECT_EQ(control.lastCommand.id, 9u);
    EXPECT_EQ(control.lastCommand.control, fakeChild);
}

TEST_F(VtWindowTest, EraseBackgroundCountsAsErasedWhateverTheHandlerSays) {
    HDC dc = GetDC(control.Hwnd());
    EXPECT_NE(control.Send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
    ReleaseDC(control.Hwnd(), dc);
    EXPECT_EQ(control.erases, 1);
}

TEST_F(VtWindowTest, FocusAndSizeMoveStatesFollowTheirMessages) {
    EXPECT_EQ(control.Send(WM_SETFOCUS, 0, 0), 1);
    EXPECT_TRUE(control.HasFocus());
    EXPECT_EQ(control.Send(WM_KILLFOCUS, 0, 0), 1);
    EXPECT_FALSE(control.HasFocus());

    EXPECT_EQ(control.Send(WM_ENTERSIZEMOVE, 0, 0), -1);
    EXPECT_TRUE(control.InSizeMove());
    control.Send(WM_EXITSIZEMOVE, 0, 0);
    EXPECT_FALSE(control.InSizeMove());
}

TEST_F(VtWindowTest, DestroyingTheWindowUnbindsTheObject) {
    HWND hwnd = control.Hwnd();
    control.messages.clear();
    DestroyWindow(hwnd);
    // WM_DESTROY itself still reaches the object; WM_NCDESTROY after it
    // does not.
    EXPECT_TRUE(Saw(control, WM_DESTROY));
    EXPECT_FALSE(Saw(control, WM_NCDESTROY));
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(VtWindowTest, AnObjectDestroyedFirstLeavesNoDanglingBinding) {
    auto early = std::make_unique<RecordingControl>();
    ASSERT_TRUE(early->Create(parent.Hwnd(), RECT{0, 0, 10, 10}).IsSuccess());
    HWND hwnd = early->Hwnd();
    early.reset();
    EXPECT_EQ(VtWindow::FromHandle(hwnd), nullptr);
    // Messages now take the system default instead of a freed object.
    EXPECT_EQ(SendMessageW(hwnd, 0x8001, 0, 0), 0);
    DestroyWindow(hwnd);
}

TEST_F(VtWindowTest, ParentObjectIsTheObjectBoundToTheParent) {
    EXPECT_EQ(control.ParentObject(), nullptr);  // the test parent is no VtWindow
    RecordingControl child;
    ASSERT_TRUE(child.Create(control.Hwnd(), RECT{0, 0, 5, 5}).IsSuccess());
    EXPECT_EQ(child.ParentObject(), &control);
}

TEST_F(VtWindowTest, IControlPlacesAndDescribesTheControl) {
    IControl& placed = control;
    placed.SetRect(RECT{30, 40, 90, 65});
    RECT client{};
    placed.GetClientRect(client);
    EXPECT_EQ(client.right - client.left, 60);
    EXPECT_EQ(client.bottom - client.top, 25);
    RECT window{};
    placed.GetWindowRect(window);
    POINT origin{window.left, window.top};
    ScreenToClient(parent.Hwnd(), &origin);
    EXPECT_EQ(origin.x, 30);
    EXPECT_EQ(origin.y, 40);

    std::string help = "unchanged";
    placed.GetHelpText(help);
    EXPECT_EQ(help, "");
    placed.SetHelpText("Drag to pan the preview.");
    placed.GetHelpText(help);
    EXPECT_EQ(help, "Drag to pan the preview.");

    placed.Enable(false);
    EXPECT_FALSE(IsWindowEnabled(control.Hwnd()));
    placed.Enable(true);
    EXPECT_TRUE(IsWindowEnabled(control.Hwnd()));
}

TEST(VtControlCreate, FailsWithoutRegisteredClass) {
    UnregisterControlClasses();
    TestParentWindow parent;
    RecordingControl control;
    const ResultCode result = control.Create(parent.Hwnd(), RECT{0, 0, 10, 10});
    EXPECT_EQ(result.status, ResultCode::kFailure);
    EXPECT_EQ(result.messageId, 0);
    EXPECT_EQ(control.Hwnd(), nullptr);
}
