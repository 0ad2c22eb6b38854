// control-gallery OUTPUT.png
//
// Shows every control of the toolkit with a sample value, once enabled and
// once disabled side by side, in the dialog font, and saves a picture of
// the window. Run under Wine with a display (make gallery).
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/ChildWindows.h"
#include "controls/ControlClasses.h"
#include "controls/GdiHandles.h"
#include "controls/KeyboardHook.h"
#include "controls/VtBevelEditControl.h"
#include "controls/VtBevelTypeControl.h"
#include "controls/VtCheckboxControl.h"
#include "controls/VtColorControl.h"
#include "controls/VtColorGradientControl.h"
#include "controls/VtDirectionControl.h"
#include "controls/VtDropdownListControl.h"
#include "controls/VtFillBehaviourControl.h"
#include "controls/VtImageButtonControl.h"
#include "controls/VtLengthSliderControl.h"
#include "controls/VtLightingControl.h"
#include "controls/VtRandomSeedControl.h"
#include "controls/VtSliderContainerControl.h"
#include "controls/VtTabControl.h"
#include "controls/VtTubeButtonControl.h"
#include "imagefiles/ImageFiles.h"
#include "tools/gallery/WindowPicture.h"

namespace {

// Small enough that the whole gallery fits a 1280 × 1024 screen.
constexpr int kMargin = 10;
// As wide as the dialog's parameter column, with its rhythm between rows.
constexpr int kColumnWidth = 298;
constexpr int kColumnGap = 32;
constexpr int kRowGap = 8;
constexpr int kHeadingHeight = 20;

// One column of the gallery: controls stacked from the top, all enabled or
// all disabled.
class Column {
public:
    Column(HWND parent, int left, bool enabled, HFONT font)
        : parent_(parent), left_(left), enabled_(enabled), font_(font) {}

    // Creates a control of `height` pixels at the next place and keeps it.
    template <class Control, class Make>
    Control* Add(int height, Make make) {
        auto control = std::make_unique<Control>();
        const RECT rect{left_, next_, left_ + kColumnWidth, next_ + height};
        if (!make(*control, rect).IsSuccess()) {
            std::fprintf(stderr, "control-gallery: a control could not be made\n");
            return nullptr;
        }
        Control* made = control.get();
        controls_.push_back(std::move(control));
        return made;
    }

    // Places the last control added, `height` pixels high, and greys it
    // when the column shows disabled controls. A height of -kRowGap keeps
    // the next control on the same row.
    void Placed(IControl& control, int height) {
        if (!enabled_) control.Enable(false);
        next_ += height + kRowGap;
    }

    HWND Parent() const { return parent_; }
    HFONT Font() const { return font_; }
    int Bottom() const { return next_; }
    void Start(int top) { next_ = top; }

private:
    HWND parent_;
    int left_;
    bool enabled_;
    HFONT font_;
    int next_ = 0;
    std::vector<std::unique_ptr<VtControl>> controls_;
};

void AddSliders(Column& column) {
    HWND parent = column.Parent();
    HFONT font = column.Font();
    if (auto* slider = column.Add<VtSliderContainerControl>(
            SliderLayout::kHeight, [&](auto& c, const RECT& r) { return c.Create(parent, r, 0, font, "Scale"); })) {
        slider->SetRange(1, 100);
        slider->SetTrackRange(1, 100);
        slider->SetDefaultValue(25);
        slider->SetValue(60);
        column.Placed(*slider, slider->PreferredHeight());
    }
    if (auto* length = column.Add<VtLengthSliderControl>(
            SliderLayout::kHeight, [&](auto& c, const RECT& r) { return c.Create(parent, r, 0, font, "Width"); })) {
        length->SetRange(10, 1000, kLengthPixels);
        length->SetTrackRange(0.8, 80, kLengthPixels);
        length->SetUnit(kLengthPixels, 72);
        length->SetValue(LengthValue{32.5, kLengthPixels});
        column.Placed(*length, length->PreferredHeight());
    }
}

void AddChoices(Column& column) {
    HWND parent = column.Parent();
    HFONT font = column.Font();
    if (auto* checkbox = column.Add<VtCheckboxControl>(VtCheckboxControl::kButtonSize, [&](auto& c, const RECT& r) {
            return c.Create(parent, r, 0, font, "Transparent edge");
        })) {
        checkbox->SetChecked(true);
        column.Placed(*checkbox, checkbox->PreferredHeight());
    }
    if (auto* list = column.Add<VtDropdownListControl>(
            28, [&](auto& c, const RECT& r) { return c.Create(parent, r, 0, font, "Edge type"); })) {
        const char* names[] = {"Distress",       "Rough distress", "Halftone dots",
                               "Halftone lines", "Pixelizer",      "Torn paper"};
        for (int i = 0; i < 6; ++i) list->AddItem(i, names[i]);
        list->SelectValue(2);
        column.Placed(*list, list->PreferredHeight());
    }
    if (auto* seed = column.Add<VtRandomSeedControl>(RandomSeedLayout::kHeight, [&](auto& c, const RECT& r) {
            return c.Create(parent, r, 0, font, "Random seed");
        })) {
        seed->SetSeed(4217);
        column.Placed(*seed, seed->PreferredHeight());
    }
}

void AddDirectionAndColour(Column& column, IColourSource& colours) {
    HWND parent = column.Parent();
    HFONT font = column.Font();
    if (auto* direction = column.Add<VtDirectionControl>(DirectionLayout::kHeight, [&](auto& c, const RECT& r) {
            return c.Create(parent, r, 0, font, "Direction");
        })) {
        direction->SetValue(45);
        column.Placed(*direction, direction->PreferredHeight());
    }
    if (auto* colour = column.Add<VtColorControl>(
            22, [&](auto& c, const RECT& r) { return c.Create(parent, r, 0, font, "Colour", &colours); })) {
        colour->SetColour(RgbSpec(232, 120, 40));
        column.Placed(*colour, colour->PreferredHeight());
    }
}

void AddTabs(Column& column) {
    HWND parent = column.Parent();
    HFONT font = column.Font();
    constexpr int kTabsHeight = 84;
    auto* tabs =
        column.Add<VtTabControl>(kTabsHeight, [&](auto& c, const RECT& r) { return c.Create(parent, r, 0, font); });
    if (tabs == nullptr) return;
    for (const char* title : {"Edge", "Shadow", "Light"}) tabs->AddPage(title);
    // A control on the first page, 6 pixels inside it.
    RECT page{};
    GetClientRect(tabs->PageWindow(0), &page);
    auto* slider = column.Add<VtSliderContainerControl>(0, [&](auto& c, const RECT&) {
        return c.Create(tabs->PageWindow(0), RECT{6, 6, page.right - 6, 6 + SliderLayout::kHeight}, 0, font,
                        "Softness");
    });
    if (slider != nullptr) {
        slider->SetValue(30);
        column.Placed(*slider, -kRowGap);
    }
    column.Placed(*tabs, kTabsHeight);
}

// A library kept in memory, with a few sample entries.
template <class Value>
class SampleLibrary final : public ILibrary<Value> {
public:
    explicit SampleLibrary(std::map<std::string, Value> entries) : entries_(std::move(entries)) {}
    ResultCode List(std::vector<std::string>& names) override {
        for (const auto& entry : entries_) names.push_back(entry.first);
        return ResultCode::Success();
    }
    ResultCode Load(const std::string& name, Value& value) override {
        const auto found = entries_.find(name);
        if (found == entries_.end()) return ResultCode::Failure();
        value = found->second;
        return ResultCode::Success();
    }
    ResultCode Save(const std::string& name, const Value& value) override {
        entries_[name] = value;
        return ResultCode::Success();
    }
    ResultCode Delete(const std::string& name) override {
        return entries_.erase(name) == 1 ? ResultCode::Success() : ResultCode::Failure();
    }
    ResultCode Rename(const std::string& from, const std::string& to) override {
        Value value;
        if (!Load(from, value).IsSuccess()) return ResultCode::Failure();
        entries_.erase(from);
        entries_[to] = value;
        return ResultCode::Success();
    }
    ResultCode Exists(const std::string& name, bool& exists) override {
        exists = entries_.count(name) == 1;
        return ResultCode::Success();
    }

private:
    std::map<std::string, Value> entries_;
};

GradientStop Stop(double location, int r, int g, int b) {
    GradientStop stop;
    stop.location = location;
    stop.mode = ColorSpec::kRGB;
    stop.components = {static_cast<double>(r), static_cast<double>(g), static_cast<double>(b), 0.0, 0.0};
    return stop;
}

GradientStops SunsetGradient() {
    GradientStops stops{Stop(0.0, 40, 30, 110), Stop(0.45, 220, 70, 90), Stop(0.75, 250, 170, 60),
                        Stop(1.0, 255, 240, 190)};
    // The last stop fades out: the checkerboard shows through.
    stops.back().alpha = true;
    stops.back().components[3] = 40.0;
    return stops;
}

BevelPoints RoundedBevel() {
    return BevelPoints{{0.0, 0.0, true}, {0.25, 0.55, false}, {0.6, 0.9, false}, {1.0, 1.0, true}};
}

void AddEditors(Column& column, IColourSource& colours, IUserPrompts& prompts) {
    HWND parent = column.Parent();
    HFONT font = column.Font();
    static SampleLibrary<GradientStops> gradients(
        {{"Steel", {Stop(0, 90, 96, 110), Stop(1, 230, 232, 240)}}, {"Sunset", SunsetGradient()}});
    static SampleLibrary<BevelPoints> bevels({{"Rounded", RoundedBevel()}, {"Chisel", {{0, 0, true}, {1, 1, true}}}});
    if (auto* gradient = column.Add<VtColorGradientControl>(90, [&](auto& c, const RECT& r) {
            return c.Create(parent, r, 0, font, "Gradient", &colours, &gradients, &prompts);
        })) {
        gradient->SetStops(SunsetGradient());
        column.Placed(*gradient, gradient->PreferredHeight());
    }
    if (auto* bevel = column.Add<VtBevelEditControl>(130, [&](auto& c, const RECT& r) {
            return c.Create(parent, r, 0, font, "Bevel profile", &bevels, &prompts);
        })) {
        bevel->SetPoints(RoundedBevel());
        column.Placed(*bevel, bevel->PreferredHeight());
    }
}

// A host's colour chips as a filter run has them; no picker is there.
class SampleColours final : public IColourSource {
public:
    ResultCode PickColour(ColorSpec&) override { return ResultCode::Cancelled(); }
    ColorSpec Foreground() override { return RgbSpec(0x20, 0x40, 0x90); }
    ColorSpec Background() override { return RgbSpec(255, 255, 255); }
    ColorSpec FromScreen(COLORREF pixel) override {
        return RgbSpec(GetRValue(pixel), GetGValue(pixel), GetBValue(pixel));
    }
};

// Content as a plug-in folder holds it, for the chooser; nothing is read.
class SampleContent final : public IContentChooserModel {
public:
    ContentChooserKind Kind() override { return ContentChooserKind{"*.tub", "tub", 11260, 11261, 11262, 11263}; }
    ResultCode Resolve(const ContentRecord& record, std::string& fullPath) override {
        fullPath = std::string(record[0] != 0 ? kPlugin : "") + reinterpret_cast<const char*>(record.data() + 1);
        return ResultCode::Success();
    }
    ResultCode Store(const std::string&, ContentRecord&) override { return ResultCode::Failure(); }
    ResultCode Validate(const std::string&) override { return ResultCode::Failure(); }
    ResultCode ContentFolder(std::string& folder) override { return PluginFolder(folder); }
    ResultCode PluginFolder(std::string& folder) override {
        folder = kPlugin;
        return ResultCode::Success();
    }
    bool FolderExists(const std::string&) override { return true; }
    bool Preview(const std::string&, Image<unsigned char>&) override { return false; }

private:
    static constexpr char kPlugin[] = "C:\\Program Files\\Adobe\\Photoshop\\Plug-ins\\Mornebrook Dapple";
};

void AddChooser(Column& column, IUserPrompts& prompts) {
    HWND parent = column.Parent();
    HFONT font = column.Font();
    static SampleContent content;
    static ContentOpenDialog files;
    if (auto* chooser = column.Add<VtTubeButtonControl>(TubeButtonLayout::kHeight, [&](auto& c, const RECT& r) {
            return c.Create(parent, r, 0, font, &content, &files, &prompts);
        })) {
        ContentRecord record{};
        const std::string path = "\\Content\\Tubes\\Autumn Leaves.tub";
        record[0] = 1;
        std::copy(path.begin(), path.end(), record.begin() + 1);
        chooser->SetValue(record);
        column.Placed(*chooser, chooser->PreferredHeight());
    }
}

// The gallery's captions stand in for the four strings a parameter names.
constexpr int kBevelCaptionIds[] = {11220, 11221, 11222, 11223};

void AddBevelControls(Column& column) {
    HWND parent = column.Parent();
    HFONT font = column.Font();
    if (auto* type = column.Add<VtBevelTypeControl>(
            66, [&](auto& c, const RECT& r) { return c.Create(parent, r, 0, font, "Bevel type", kBevelCaptionIds); })) {
        type->SetValue(1);
        column.Placed(*type, type->PreferredHeight());
    }
}

void AddLightAndFill(Column& column, IColourSource& colours) {
    HWND parent = column.Parent();
    HFONT font = column.Font();
    if (auto* lighting = column.Add<VtLightingControl>(
            LightingLayout::kHeight, [&](auto& c, const RECT& r) { return c.Create(parent, r, 0, font, &colours); })) {
        lighting->SetValue(LightingValue{60, 40, 135, 40, RgbSpec(255, 244, 214)});
        column.Placed(*lighting, lighting->PreferredHeight());
    }
    if (auto* fill = column.Add<VtFillBehaviourControl>(
            88, [&](auto& c, const RECT& r) { return c.Create(parent, r, 0, font, "Before painting", &colours); })) {
        fill->SetValue(LayerFillValue{kLayerFillWithColour, RgbSpec(255, 255, 255)});
        column.Placed(*fill, fill->PreferredHeight());
    }
}

void AddImageButtons(Column& column) {
    HWND parent = column.Parent();
    HFONT font = column.Font();
    constexpr int kSize = 28;
    IconHandle icon(
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(700), IMAGE_ICON, 16, 16, 0)));
    for (int i = 0; i < 2; ++i) {
        auto* button = column.Add<VtImageButtonControl>(kSize, [&](auto& c, const RECT& r) {
            return c.Create(parent, RECT{r.left + i * (kSize + 4), r.top, r.left + i * (kSize + 4) + kSize, r.bottom},
                            0, font);
        });
        if (button == nullptr) continue;
        // The icon drawn into a bitmap of the button's face colour.
        WindowDC screen(parent);
        HBITMAP image = CreateCompatibleBitmap(screen.Get(), 16, 16);
        {
            MemoryDC dc(CreateCompatibleDC(screen.Get()));
            SelectedObject selected(dc.Get(), image);
            RECT all{0, 0, 16, 16};
            FillRect(dc.Get(), &all, GetSysColorBrush(COLOR_3DFACE));
            DrawIconEx(dc.Get(), 0, 0, icon.Get(), 16, 16, 0, nullptr, DI_NORMAL);
        }
        button->SetImage(image);
        button->SetLatched(i == 0);
        column.Placed(*button, i == 0 ? -kRowGap : kSize);
    }
}

void FillColumn(Column& column, IColourSource& colours, IUserPrompts& prompts) {
    AddTabs(column);
    AddSliders(column);
    AddDirectionAndColour(column, colours);
    AddChoices(column);
    AddLightAndFill(column, colours);
    AddBevelControls(column);
    AddEditors(column, colours, prompts);
    AddChooser(column, prompts);
    AddImageButtons(column);
}

LRESULT CALLBACK GalleryWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

HWND CreateGalleryWindow() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = GalleryWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1));
    windowClass.lpszClassName = L"DappleControlGallery";
    if (RegisterClassExW(&windowClass) == 0) return nullptr;
    return CreateWindowExW(0, windowClass.lpszClassName, L"Control gallery", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string output = argc > 1 ? argv[1] : "gallery.png";
    if (!RegisterControlClasses().IsSuccess() || !KeyboardHook::Install().IsSuccess()) {
        std::fprintf(stderr, "control-gallery: the toolkit could not be set up\n");
        return 1;
    }
    // The dialog font of the plug-in's dialogs ("MS Shell Dlg", 8 points).
    Font font(CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"Tahoma"));
    Font bold(CreateFontW(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"Tahoma"));
    HWND window = CreateGalleryWindow();
    if (window == nullptr || !font) {
        std::fprintf(stderr, "control-gallery: the window could not be made\n");
        return 1;
    }

    SampleColours colours;
    WindowsUserPrompts prompts;

    Column enabled(window, kMargin, true, font.Get());
    Column disabled(window, kMargin + kColumnWidth + kColumnGap, false, font.Get());
    int bottom = 0;
    for (Column* column : {&enabled, &disabled}) {
        const bool isEnabled = column == &enabled;
        const int left = isEnabled ? kMargin : kMargin + kColumnWidth + kColumnGap;
        CreateChildWindow(L"STATIC", isEnabled ? "Enabled" : "Disabled", WS_CHILD | WS_VISIBLE, 0,
                          RECT{left, kMargin, left + kColumnWidth, kMargin + 16}, window, 0, bold.Get());
        column->Start(kMargin + kHeadingHeight);
        FillColumn(*column, colours, prompts);
        bottom = std::max(bottom, column->Bottom());
    }
    const int width = 2 * kMargin + 2 * kColumnWidth + kColumnGap;
    SetWindowPos(window, HWND_TOP, 0, 0, width, bottom + kMargin, SWP_SHOWWINDOW);
    UpdateWindow(window);
    PumpFor(700);

    const RasterImage picture = CaptureClientArea(window);
    DestroyWindow(window);
    KeyboardHook::Uninstall();
    UnregisterControlClasses();
    if (picture.pixels.empty()) {
        std::fprintf(stderr, "control-gallery: the window could not be read\n");
        return 1;
    }
    const ImageFileStatus written = WriteImageFile(output, picture);
    if (!written.Ok()) {
        std::fprintf(stderr, "control-gallery: %s\n", written.error.c_str());
        return 1;
    }
    return 0;
}
