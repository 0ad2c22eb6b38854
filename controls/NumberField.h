// The edit field of a control that holds a number. It shows the control's
// value; what the user types counts when the field is left or Enter goes
// down in it (untouched text counts for nothing, also where the field shows
// a rounded form of the value); the Up and Down arrows step the value by 1,
// or 10 with Shift. The owner decides what a typed or stepped value becomes.
#pragma once

#include <string>

#include "controls/KeyboardSinks.h"
#include "platform/WinApi.h"

class NumberFieldOwner {
public:
    virtual std::string FormatNumber(double value) const = 0;
    virtual double ParseNumber(const std::string& text) const = 0;
    virtual double CurrentNumber() const = 0;
    // The user typed `value` (parsed, not yet checked against any range).
    virtual void NumberTyped(double value) = 0;
    // The user stepped by `delta` from the current value.
    virtual void NumberStepped(double delta) = 0;

protected:
    ~NumberFieldOwner() = default;
};

class NumberField {
public:
    explicit NumberField(NumberFieldOwner& owner) : owner_(owner) {}

    // Starts serving `edit` (keys included); null stops.
    void Attach(HWND edit);
    void Detach();
    HWND Hwnd() const { return edit_; }

    // Shows `value`; an unchanged text is not rewritten (the caret stays).
    void Show(double value);
    // The field was left (EN_KILLFOCUS): typed text goes to the owner.
    void Left();

private:
    void ArrowKey();

    NumberFieldOwner& owner_;
    HWND edit_ = nullptr;
    EnterKeySink<NumberField, &NumberField::Left> enterSink_{this};
    MemberNotifySink<NumberField, &NumberField::ArrowKey> arrowSink_{this};
    KeyboardSinkRegistration enterKey_{&enterSink_};
    KeyboardSinkRegistration arrowKeys_{&arrowSink_};
};
