// VtFillBehaviourControl: the control of a fill behaviour parameter: what
// happens to the selected area before the effect paints on it. A group
// captioned with the label, three radio buttons (fill with a colour, make transparent, keep the
// image) and, beside the first, a colour swatch for the fill colour, which
// applies only while that mode is chosen.
#pragma once

#include <array>
#include <string>

#include "controls/ColourSource.h"
#include "controls/EventNotifySink.h"
#include "controls/IControl.h"
#include "controls/VtColorControl.h"
#include "controls/VtControl.h"
#include "filters/LayerFillParameter.h"

class IFillBehaviourControl {
public:
    // Not owned; told after every change the user makes.
    virtual void SetChangeSink(EventNotifySink* sink) = 0;
    virtual LayerFillValue GetValue() = 0;
    // No notification; a behaviour other than the three shows as the first.
    virtual void SetValue(const LayerFillValue& value) = 0;
    virtual int PreferredHeight() = 0;

protected:
    ~IFillBehaviourControl() = default;
};

class VtFillBehaviourControl : public VtControl, public IFillBehaviourControl, public ICompoundControl {
public:
    static constexpr int kModeCount = 3;
    static constexpr int kFirstRadioId = 1;
    static constexpr int kLabelId = 10;
    static constexpr int kColourId = 11;
    // String resources: the three modes, the help over the three modes, over
    // the colour and over the label.
    static constexpr int kModeTextId = kLayerFillFirstTextId;
    static constexpr int kModeHelpId = kLayerFillFirstTextId + 4;
    static constexpr int kColourHelpId = kLayerFillFirstTextId + 7;
    static constexpr int kLabelHelpId = kLayerFillLastTextId;
    // The group's caption when the parameter has no label.
    static constexpr int kCaptionId = kLayerFillLastTextId + 1;
    static constexpr uint32_t kModes[kModeCount] = {kLayerFillWithColour, kLayerFillTransparent, kLayerFillKeep};

    ResultCode Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label,
                      IColourSource* colours);

    void SetChangeSink(EventNotifySink* sink) override { changeSink_ = sink; }
    LayerFillValue GetValue() override;
    void SetValue(const LayerFillValue& value) override;
    int PreferredHeight() override;

    // Greys one mode that cannot change anything here (e.g. "make
    // transparent" on a layer without transparency); `why` becomes its help.
    // An empty `why` makes the mode available again.
    void SetModeUnavailable(int mode, const std::string& why);

    void GetHelpText(ResultCode& out, POINT point, std::string& text) override;
    using VtControl::GetHelpText;

    void Enable(bool enable) override;
    using VtControl::Enable;

    LRESULT OnCommand(UINT notifyCode, UINT id, HWND control) override;
    // The frame follows the control's size.
    LRESULT OnSize(UINT sizeType, unsigned width, unsigned height) override;

    HWND RadioHwnd(int mode) const { return radios_[static_cast<std::size_t>(mode)]; }
    // The mode that shows `behaviour`; the first for an unknown one.
    int ModeIndex(uint32_t behaviour) const;
    VtColorControl& Colour() { return colour_; }

private:
    void ShowMode(int mode);
    void ColourChanged();

    bool ModeEnabled(int mode) const;

    std::array<HWND, kModeCount> radios_{};
    std::array<std::string, kModeCount> unavailableWhy_{};
    HWND label_ = nullptr;
    HFONT font_ = nullptr;
    VtColorControl colour_;
    uint32_t behaviour_ = kLayerFillWithColour;
    bool enabled_ = true;
    EventNotifySink* changeSink_ = nullptr;
    MemberNotifySink<VtFillBehaviourControl, &VtFillBehaviourControl::ColourChanged> colourSink_{this};
};
