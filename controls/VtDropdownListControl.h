// VtDropdownListControl: the control of a list parameter. A label and a
// drop-down list whose items each carry a 32-bit value.
#pragma once

#include <cstdint>
#include <string>

#include "controls/EventNotifySink.h"
#include "controls/VtControl.h"

class IDropdownListControl {
public:
    // Not owned; null for no notification. Told when the user picks an item.
    virtual void SetChangeSink(EventNotifySink* sink) = 0;
    // Appends an item; items keep the order they were added in.
    virtual void AddItem(int32_t value, const std::string& text) = 0;
    // The selected item's value; CB_ERR when nothing is selected.
    virtual int32_t GetSelectedValue() = 0;
    // Selects the first item carrying `value`; a value no item carries
    // leaves the selection as it is. No notification.
    virtual void SelectValue(int32_t value) = 0;
    virtual int PreferredHeight() = 0;

protected:
    ~IDropdownListControl() = default;
};

class VtDropdownListControl : public VtControl, public IDropdownListControl {
public:
    static constexpr int kComboId = 1;
    static constexpr int kLabelId = 2;

    ResultCode Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label);

    void SetChangeSink(EventNotifySink* sink) override { changeSink_ = sink; }
    void AddItem(int32_t value, const std::string& text) override;
    int32_t GetSelectedValue() override;
    void SelectValue(int32_t value) override;
    int PreferredHeight() override;

    // The focus goes to the list.
    int SetFocus() override;
    void Enable(bool enable) override;
    using VtControl::Enable;

    LRESULT OnCommand(UINT notifyCode, UINT id, HWND control) override;

    HWND ComboHwnd() const { return combo_; }
    HWND LabelHwnd() const { return label_; }

private:
    HWND combo_ = nullptr;
    HWND label_ = nullptr;
    EventNotifySink* changeSink_ = nullptr;
};
