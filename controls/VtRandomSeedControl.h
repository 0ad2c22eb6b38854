// VtRandomSeedControl: the control of a random seed parameter. A push
// button that draws a new seed and an edit field that shows it and takes a
// typed one. Seeds lie in [0, 65535], the range of the parameter.
#pragma once

#include <cstdint>
#include <string>

#include "controls/EventNotifySink.h"
#include "controls/KeyboardSinks.h"
#include "controls/ParameterGrid.h"
#include "controls/VtControl.h"
#include "image/RandomGenerator.h"

class IRandomSeedControl {
public:
    // Not owned; null for no notification.
    virtual void SetChangeSink(EventNotifySink* sink) = 0;
    virtual int32_t GetSeed() = 0;
    // Clamped to [0, 65535] and shown; no notification.
    virtual void SetSeed(int32_t seed) = 0;
    // The label's width in the control's font; 5 without a device context.
    virtual int LabelWidth() = 0;
    virtual int PreferredHeight() = 0;

protected:
    ~IRandomSeedControl() = default;
};

// Where the button and the edit field sit: the button, as wide as its
// label `labelWidth` and a margin, where the other controls' labels are;
// the field in the grid's value column and the spinner's place.
struct RandomSeedLayout {
    static constexpr int kHeight = 22;
    RECT button;
    RECT edit;
    static RandomSeedLayout For(const RECT& client, int labelWidth, const ParameterGrid& grid);
};

class VtRandomSeedControl : public VtControl, public IRandomSeedControl {
public:
    static constexpr int kButtonId = 1;
    static constexpr int kEditId = 2;
    static constexpr int32_t kMinSeed = 0;
    static constexpr int32_t kMaxSeed = 65535;
    // The button draws from [1, kLargestDrawnSeed]: short numbers, easily
    // noted down.
    static constexpr int32_t kLargestDrawnSeed = 9999;

    // The generator behind the button starts from the time of construction.
    VtRandomSeedControl();

    ResultCode Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label);

    void SetChangeSink(EventNotifySink* sink) override { changeSink_ = sink; }
    int32_t GetSeed() override { return seed_; }
    void SetSeed(int32_t seed) override;
    int LabelWidth() override;
    int PreferredHeight() override { return RandomSeedLayout::kHeight; }

    void Enable(bool enable) override;
    using VtControl::Enable;
    void Release(ResultCode& out) override;

    LRESULT OnCommand(UINT notifyCode, UINT id, HWND control) override;

    HWND ButtonHwnd() const { return button_; }
    HWND EditHwnd() const { return edit_; }
    // For tests: the generator the button draws from.
    RandomGenerator& Generator() { return generator_; }

private:
    void EditLeft();
    void NewSeed();

    HWND button_ = nullptr;
    HWND edit_ = nullptr;
    std::string label_;
    HFONT font_ = nullptr;
    int32_t seed_ = kMinSeed;
    RandomGenerator generator_;
    EventNotifySink* changeSink_ = nullptr;
    EnterKeySink<VtRandomSeedControl, &VtRandomSeedControl::EditLeft> enterKeySink_{this};
    KeyboardSinkRegistration enterKey_{&enterKeySink_};
};
