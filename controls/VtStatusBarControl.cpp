#include "controls/VtStatusBarControl.h"

#include <algorithm>
#include <cmath>

#include "controls/ChildWindows.h"
#include "controls/CommonControls.h"
#include "controls/GdiHandles.h"
#include "controls/ToolkitInstance.h"
#include "platform/ResourceStrings.h"
#include "platform/TextEncoding.h"

namespace {

constexpr int kHelpPart = 0;
constexpr int kProgressPart = 1;
constexpr int kZoomPart = 2;

}  // namespace

void VtStatusBarControl::PartEdges(int dialogWidth, int (&edges)[3]) {
    edges[0] = dialogWidth - 156;
    edges[1] = dialogWidth - 81;
    edges[2] = dialogWidth - 16;
}

ResultCode VtStatusBarControl::Create(HWND parent, int id) {
    HWND hwnd = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ToolkitInstance(), nullptr);
    if (hwnd == nullptr) return ResultCode::Failure();
    if (!Bind(hwnd)) {
        DestroyWindow(hwnd);
        return ResultCode::Failure();
    }
    RECT client{};
    ::GetClientRect(parent, &client);
    Resize(client.right - client.left);
    // The progress part is drawn by its owner; its item data is unused.
    Send(SB_SETTEXTW, kProgressPart | SBT_OWNERDRAW, 0);
    return ResultCode::Success();
}

void VtStatusBarControl::ShowHelp(const std::string& text) {
    if (helpSent_ && text == help_) return;
    help_ = text;
    helpSent_ = true;
    Send(SB_SETTEXTW, kHelpPart, reinterpret_cast<LPARAM>(WideFromUtf8(text).c_str()));
}

int VtStatusBarControl::PartWidth(int part) const {
    RECT rect{};
    if (!SendMessageW(Hwnd(), SB_GETRECT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(&rect))) return 0;
    return rect.right - rect.left;
}

void VtStatusBarControl::SetProgress(double fraction) {
    progress_ = fraction;
    const int filled = static_cast<int>(std::floor(PartWidth(kProgressPart) * fraction + 0.5));
    if (filled == filledWidth_) return;
    filledWidth_ = filled;
    RECT rect{};
    if (SendMessageW(Hwnd(), SB_GETRECT, kProgressPart, reinterpret_cast<LPARAM>(&rect))) {
        InvalidateRect(Hwnd(), &rect, FALSE);
        UpdateWindow(Hwnd());
    }
}

std::string VtStatusBarControl::ShownZoom() const {
    wchar_t text[64] = {};
    SendMessageW(Hwnd(), SB_GETTEXTW, kZoomPart, reinterpret_cast<LPARAM>(text));
    return Utf8FromWide(text);
}

void VtStatusBarControl::SetZoomText(const std::string& text) {
    Send(SB_SETTEXTW, kZoomPart, reinterpret_cast<LPARAM>(WideFromUtf8(text).c_str()));
}

void VtStatusBarControl::Resize(int dialogWidth) {
    dialogWidth_ = dialogWidth;
    Send(WM_SIZE, 0, 0);
    int edges[3];
    PartEdges(dialogWidth, edges);
    Send(SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    Send(SB_SETTEXTW, kProgressPart | SBT_OWNERDRAW, 0);
}

void VtStatusBarControl::DrawProgress(const DRAWITEMSTRUCT& item) {
    RECT part = item.rcItem;
    if (progress_ > 0.0 && progress_ < 1.0) {
        RECT filled = part;
        filled.right = std::min<LONG>(part.right, part.left + filledWidth_);
        RECT rest = part;
        rest.left = filled.right;
        FillRect(item.hDC, &filled, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        FillRect(item.hDC, &rest, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        FrameRect(item.hDC, &part, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    } else {
        FillRect(item.hDC, &part, GetSysColorBrush(COLOR_BTNFACE));
    }
}

void VtStatusBarControl::GetHelpText(ResultCode& out, POINT point, std::string& text) {
    out = ResultCode::Success();
    for (int part : {kProgressPart, kZoomPart}) {
        RECT rect{};
        if (!SendMessageW(Hwnd(), SB_GETRECT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(&rect))) continue;
        if (Contains(rect, point.x, point.y)) {
            text = LoadResourceString(part == kProgressPart ? kProgressHelpId : kZoomHelpId);
            return;
        }
    }
}
