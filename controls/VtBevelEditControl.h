// VtBevelEditControl: the bevel profile editor. A label, a graph of the
// profile (the outer edge at the left, height upward) with a handle on each
// point, and a library row to keep profiles by name.
//   - Drag a handle to move its point (between its neighbours); drag it
//     well outside the graph to remove it (two points stay at least).
//   - Click elsewhere in the graph to add a point there.
//   - Double-click a handle to make its point a corner or smooth again
//     (corners show as squares, smooth points as circles).
// A drag commits once, at the release.
#pragma once

#include <string>

#include "controls/BevelProfile.h"
#include "controls/LibraryEditorControl.h"

using IBevelLibrary = ILibrary<BevelPoints>;

class IBevelEditControl {
public:
    // Not owned; told after every change the user makes.
    virtual void SetChangeSink(EventNotifySink* sink) = 0;
    virtual BevelPoints GetPoints() = 0;
    // No notification. Points are put in x order; at most 25 kept.
    virtual void SetPoints(const BevelPoints& points) = 0;
    virtual int PreferredHeight() = 0;

protected:
    ~IBevelEditControl() = default;
};

struct BevelEditLayout {
    static constexpr int kGraphHeight = 84;
    static constexpr int kHandleHalf = 3;
    RECT label;
    RECT graph;  // the frame
    RECT plot;   // where x 0..1 and y 0..1 map to, inside the frame
    RECT library;
    int height;
    static BevelEditLayout For(int width, int textHeight);
};

class VtBevelEditControl : public LibraryEditorControl, public IBevelEditControl {
public:
    // String resources: help over the graph; the library's messages.
    static constexpr int kGraphHelpId = 11232;
    static constexpr LibraryTexts kLibraryTexts{10730, 10731, 10025, 10026, 10027, 10028};
    static constexpr int kRemoveDistance = 24;

    // `library` and `prompts` are not owned.
    ResultCode Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label,
                      IBevelLibrary* library, IUserPrompts* prompts);

    void SetChangeSink(EventNotifySink* sink) override { SetChangeSinkOf(sink); }
    BevelPoints GetPoints() override { return points_; }
    void SetPoints(const BevelPoints& points) override;
    int PreferredHeight() override { return layout_.height; }

    LRESULT OnPaint(const PAINTSTRUCT& paint) override;
    LRESULT OnLButtonDown(WPARAM keys, int x, int y) override;
    LRESULT OnMouseMove(WPARAM keys, int x, int y) override;
    LRESULT OnLButtonDblClk(WPARAM keys, int x, int y) override;

    const BevelEditLayout& Layout() const { return layout_; }
    int Selected() const { return selected_; }
    // Screen places of profile points and back (client coordinates).
    POINT PointAt(const BevelPoint& point) const;
    BevelPoint ProfilePointAt(int x, int y) const;

private:
    void DragEnded(bool released, int x, int y) override;
    bool BodyHelp(POINT point, std::string& text) override;

    int HandleAt(int x, int y) const;
    bool Removing(int x, int y) const;
    void MoveSelected(int x, int y);
    void DrawGraph(HDC dc, bool enabled) const;

    BevelPoints points_;
    BevelPoints pointsAtPress_;
    int selected_ = -1;
    bool removing_ = false;
    BevelEditLayout layout_{};
    EditorLibraryEntries<BevelPoints> entries_{[this] { return points_; },
                                               [this](const BevelPoints& loaded) {
                                                   SetPoints(loaded);
                                                   Notify();
                                               }};
};
