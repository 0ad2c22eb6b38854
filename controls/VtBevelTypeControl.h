// VtBevelTypeControl: the control of a bevel type parameter. A label over a
// row of four image buttons, each with a picture of its bevel's profile
// (slope, round, smooth, ridge) and a caption; the chosen one stays pressed
// in, as the choices of a toolbar do.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "controls/EventNotifySink.h"
#include "controls/IControl.h"
#include "controls/VtControl.h"
#include "controls/VtImageButtonControl.h"

class IBevelTypeControl {
public:
    // Not owned; told when the user picks another type.
    virtual void SetChangeSink(EventNotifySink* sink) = 0;
    // The chosen type, 0 to 3.
    virtual int32_t GetValue() = 0;
    // No notification; a value outside 0 to 3 chooses none.
    virtual void SetValue(int32_t type) = 0;
    virtual int PreferredHeight() = 0;

protected:
    ~IBevelTypeControl() = default;
};

class VtBevelTypeControl : public VtControl, public IBevelTypeControl, public ICompoundControl {
public:
    static constexpr int kTypeCount = 4;
    static constexpr int kLabelId = 10;
    static constexpr int kButtonHeight = 48;

    // `choiceTextIds`: the string resources with the four captions.
    ResultCode Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label,
                      const int (&choiceTextIds)[kTypeCount]);

    void SetChangeSink(EventNotifySink* sink) override { changeSink_ = sink; }
    int32_t GetValue() override { return value_; }
    void SetValue(int32_t type) override;
    int PreferredHeight() override;

    // Over a choice: its caption.
    void GetHelpText(ResultCode& out, POINT point, std::string& text) override;
    using VtControl::GetHelpText;

    void Enable(bool enable) override;
    using VtControl::Enable;
    int SetFocus() override;

    VtImageButtonControl& Button(int type) { return *buttons_[static_cast<std::size_t>(type)]; }
    HWND LabelHwnd() const { return label_; }

    // The height of the profile of bevel `type` at `t` (0 at the outer
    // edge, 1 inside), 0 to 1.
    static double Profile(int type, double t);

private:
    // The click sink of one choice's button.
    class ChoiceSink final : public EventNotifySink {
    public:
        ChoiceSink() = default;
        ChoiceSink(VtBevelTypeControl* owner, int type) : owner_(owner), type_(type) {}
        void Notify() override { owner_->Choose(type_); }

    private:
        VtBevelTypeControl* owner_ = nullptr;
        int type_ = 0;
    };

    void Choose(int32_t type);

    std::array<std::unique_ptr<VtImageButtonControl>, kTypeCount> buttons_;
    std::array<std::string, kTypeCount> captions_;
    std::array<ChoiceSink, kTypeCount> clickSinks_;
    HWND label_ = nullptr;
    HFONT font_ = nullptr;
    int32_t value_ = -1;
    EventNotifySink* changeSink_ = nullptr;
};
