// VtColorGradientControl: the colour gradient editor. A label, the gradient
// as a bar (over a checkerboard where it is transparent), a marker under
// the bar for each stop, and a library row to keep gradients by name.
//   - Drag a marker to move its stop; drag it down away from the bar to
//     remove it (a gradient keeps two stops at least).
//   - Click under the bar between markers to add a stop there, with the
//     colour the gradient has at that place.
//   - Double-click a marker to choose its colour in the host's picker.
// A drag commits once, at the release.
#pragma once

#include <string>

#include "controls/ColourSource.h"
#include "controls/GradientStops.h"
#include "controls/LibraryEditorControl.h"

using IGradientLibrary = ILibrary<GradientStops>;

class IColorGradientControl {
public:
    // Not owned; told after every change the user makes.
    virtual void SetChangeSink(EventNotifySink* sink) = 0;
    virtual GradientStops GetStops() = 0;
    // No notification. Stops are put in location order; at most 25 kept.
    virtual void SetStops(const GradientStops& stops) = 0;
    virtual int PreferredHeight() = 0;

protected:
    ~IColorGradientControl() = default;
};

struct GradientLayout {
    static constexpr int kBarHeight = 22;
    static constexpr int kMarkerHeight = 12;
    static constexpr int kMarkerHalfWidth = 5;
    RECT label;
    RECT bar;
    RECT markers;
    RECT library;
    int height;
    static GradientLayout For(int width, int textHeight);
};

class VtColorGradientControl : public LibraryEditorControl, public IColorGradientControl {
public:
    // String resources: help over the bar and over the markers; the
    // library's messages.
    static constexpr int kBarHelpId = 11230;
    static constexpr int kMarkersHelpId = 11231;
    static constexpr LibraryTexts kLibraryTexts{10720, 10721, 10021, 10022, 10023, 10024};
    // How far below the markers a dragged stop is let go of.
    static constexpr int kRemoveDistance = 24;

    // `colours`, `library` and `prompts` are not owned.
    ResultCode Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label,
                      IColourSource* colours, IGradientLibrary* library, IUserPrompts* prompts);

    void SetChangeSink(EventNotifySink* sink) override { SetChangeSinkOf(sink); }
    GradientStops GetStops() override { return stops_; }
    void SetStops(const GradientStops& stops) override;
    int PreferredHeight() override { return layout_.height; }

    LRESULT OnPaint(const PAINTSTRUCT& paint) override;
    LRESULT OnLButtonDown(WPARAM keys, int x, int y) override;
    LRESULT OnMouseMove(WPARAM keys, int x, int y) override;
    LRESULT OnLButtonDblClk(WPARAM keys, int x, int y) override;

    const GradientLayout& Layout() const { return layout_; }
    int Selected() const { return selected_; }
    // The x of a location on the bar, and the location at x.
    int XOf(double location) const;
    double LocationAt(int x) const;

private:
    void DragEnded(bool released, int x, int y) override;
    bool BodyHelp(POINT point, std::string& text) override;

    int MarkerAt(int x, int y) const;
    bool Removing(int y) const;
    void MoveSelected(int x);
    void DrawBar(HDC dc, bool enabled) const;
    void DrawMarker(HDC dc, const GradientStop& stop, bool selected, bool enabled) const;

    GradientStops stops_;
    GradientStops stopsAtPress_;
    int selected_ = -1;
    bool removing_ = false;
    GradientLayout layout_{};
    IColourSource* colours_ = nullptr;
    EditorLibraryEntries<GradientStops> entries_{[this] { return stops_; },
                                                 [this](const GradientStops& loaded) {
                                                     SetStops(loaded);
                                                     Notify();
                                                 }};
};
