#include "controls/ControlClasses.h"

#include "controls/CommonControls.h"

#include "controls/ToolkitInstance.h"
#include "controls/VtContentThumbnail.h"
#include "controls/VtWindow.h"

namespace {

enum class Form { Plain, OwnDC };
enum class Background { Null, MenuColour, None };

struct ClassSpec {
    const wchar_t* name;
    Form form;
    bool arrowCursor;
    Background background;
};

// In ControlClass order.
constexpr ClassSpec kClasses[kControlClassCount] = {
    {L"VtButtonCtl", Form::Plain, true, Background::Null},
    // The preview sets its cursor itself, by tool and keys.
    {L"VtPreviewCtl", Form::OwnDC, false, Background::Null},
    {L"VtThumbnailCtrl", Form::OwnDC, true, Background::Null},
    {L"VtToolboxCtl", Form::OwnDC, true, Background::Null},
    {L"VtSliderCntnrCtl", Form::Plain, true, Background::Null},
    {L"VtSliderCtrl", Form::OwnDC, true, Background::Null},
    {L"VtColorCtrl", Form::OwnDC, true, Background::MenuColour},
    {L"VtColorGradCtrl", Form::OwnDC, true, Background::Null},
    {L"VtDropdownListCtl", Form::Plain, true, Background::Null},
    {L"VtLightingCtl", Form::OwnDC, true, Background::Null},
    {L"VtRandomSeedCtl", Form::Plain, true, Background::Null},
    {L"VtDirCtl", Form::Plain, true, Background::Null},
    {L"VtCheckboxCtl", Form::Plain, true, Background::Null},
    {L"VtTabCtrl", Form::OwnDC, true, Background::Null},
    {L"VtTabPageCtrl", Form::OwnDC, true, Background::None},
    {L"VtLengthSliderCtl", Form::Plain, true, Background::Null},
    {L"VtImageBtnCtl", Form::Plain, true, Background::Null},
    {L"VtBevelEditCtrl", Form::OwnDC, true, Background::Null},
    {L"VtFillBehaviorCtl", Form::Plain, true, Background::Null},
    {L"VtBevelTypeCtl", Form::Plain, true, Background::Null},
    {L"VtTubeButtonCtrl", Form::OwnDC, true, Background::Null},
};

ATOM gAtoms[kControlClassCount] = {};
bool gThumbnailRegistered = false;
// The module each class was registered under: unregistering needs the same
// one, even if the resource module changed in between.
HINSTANCE gInstances[kControlClassCount] = {};

constexpr int kWindowExtraBytes = 30;

HBRUSH BackgroundBrush(Background background) {
    switch (background) {
        case Background::Null: return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        case Background::MenuColour: return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_MENU + 1));
        case Background::None: break;
    }
    return nullptr;
}

ATOM Register(const ClassSpec& classInfo, HINSTANCE instance) {
    constexpr UINT kPlainStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = classInfo.form == Form::OwnDC ? kPlainStyle | CS_OWNDC : kPlainStyle;
    windowClass.lpfnWndProc = VtControlWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = kWindowExtraBytes;
    windowClass.hInstance = instance;
    windowClass.hCursor = classInfo.arrowCursor ? LoadCursorW(nullptr, IDC_ARROW) : nullptr;
    windowClass.hbrBackground = BackgroundBrush(classInfo.background);
    windowClass.lpszClassName = classInfo.name;
    return RegisterClassExW(&windowClass);
}

}  // namespace

ResultCode RegisterControlClasses() {
    // The system controls the toolkit's controls are built from: spinners,
    // tabs, status bar.
    INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_UPDOWN_CLASS | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&common);
    ResultCode result = ResultCode::Success();
    for (int i = 0; i < kControlClassCount; ++i) {
        if (gAtoms[i] != 0) continue;
        gInstances[i] = ToolkitInstance();
        gAtoms[i] = Register(kClasses[i], gInstances[i]);
        if (gAtoms[i] == 0) result = ResultCode::Failure();
    }
    if (!gThumbnailRegistered) {
        gThumbnailRegistered = RegisterContentThumbnailClass();
        if (!gThumbnailRegistered) result = ResultCode::Failure();
    }
    return result;
}

void UnregisterControlClasses() {
    for (int i = 0; i < kControlClassCount; ++i) {
        if (gAtoms[i] == 0) continue;
        UnregisterClassW(MAKEINTATOM(gAtoms[i]), gInstances[i]);
        gAtoms[i] = 0;
    }
    if (gThumbnailRegistered) UnregisterContentThumbnailClass();
    gThumbnailRegistered = false;
}

ATOM ControlClassAtom(ControlClass control) { return gAtoms[static_cast<int>(control)]; }

const wchar_t* ControlClassName(ControlClass control) { return kClasses[static_cast<int>(control)].name; }
