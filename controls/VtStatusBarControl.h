// VtStatusBarControl: the filter dialog's status bar. A system status bar
// along the bottom of the dialog with three parts: the help text of what
// the pointer is over, the preview render's progress (drawn by the dialog's
// WM_DRAWITEM through DrawProgress) and the preview's zoom.
#pragma once

#include <string>

#include "controls/IControl.h"
#include "controls/VtControl.h"

class IStatusBarControl {
public:
    // Part 0; sent to the bar only when it differs from what it shows.
    virtual void ShowHelp(const std::string& text) = 0;
    virtual void ClearHelp() = 0;
    // Part 1: a fraction of 0 to 1; the bar is redrawn only when the filled
    // width changes.
    virtual void SetProgress(double fraction) = 0;
    // Part 2: the zoom as the user reads it ("8.33%").
    virtual void SetZoomText(const std::string& text) = 0;
    // Lays the bar and its parts out again for the dialog's client width.
    virtual void Resize(int dialogWidth) = 0;
    // The owner-drawn progress part.
    virtual void DrawProgress(const DRAWITEMSTRUCT& item) = 0;

protected:
    ~IStatusBarControl() = default;
};

class VtStatusBarControl : public VtControl, public IStatusBarControl, public ICompoundControl {
public:
    static constexpr int kProgressHelpId = 11010;
    static constexpr int kZoomHelpId = 11009;
    static constexpr int kHeight = 20;

    ResultCode Create(HWND parent, int id);

    void ShowHelp(const std::string& text) override;
    void ClearHelp() override { ShowHelp(std::string()); }
    void SetProgress(double fraction) override;
    void SetZoomText(const std::string& text) override;
    void Resize(int dialogWidth) override;
    void DrawProgress(const DRAWITEMSTRUCT& item) override;

    // Over the progress part string 11010, over the zoom part 11009.
    void GetHelpText(ResultCode& out, POINT point, std::string& text) override;
    using VtControl::GetHelpText;

    const std::string& ShownHelp() const { return help_; }
    std::string ShownZoom() const;
    double Progress() const { return progress_; }
    int FilledWidth() const { return filledWidth_; }
    // The parts' right edges for a dialog of `dialogWidth`.
    static void PartEdges(int dialogWidth, int (&edges)[3]);

private:
    int PartWidth(int part) const;

    std::string help_;
    bool helpSent_ = false;
    double progress_ = 0.0;
    int filledWidth_ = 0;
    int dialogWidth_ = 0;
};
