// The one-operation notification object of the toolkit: every callback of a
// control or dialog is a small sink that forwards Notify() to its owner.
// Controls hold sinks by plain pointer and never free them; the sink's owner
// frees it after the control.
#pragma once

class EventNotifySink {
public:
    virtual ~EventNotifySink() = default;
    virtual void Notify() = 0;
};

// A sink that calls one member function of its owner:
//   MemberNotifySink<Dialog, &Dialog::OnOkClicked> okSink{this};
template <class Owner, void (Owner::*Method)()>
class MemberNotifySink final : public EventNotifySink {
public:
    explicit MemberNotifySink(Owner* owner) : owner_(owner) {}
    void Notify() override { (owner_->*Method)(); }

private:
    Owner* owner_;
};
