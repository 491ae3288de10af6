#pragma once

#include <memory>

class ClockTimer;
class CTarvoFormView;
class LinkScreen;

/// The RcvCW box and its spin: polling the selected decoder string every 500 ms while the box is
/// checked (timer 2), and stepping the selection by the spin, Up and Down and the wheel.
class StringPolling {
public:
    StringPolling(CTarvoFormView& view, LinkScreen& link);
    ~StringPolling();

    /// The box was checked or unchecked by the operator.
    void boxToggled(bool checked);
    /// `LiveStrings`.
    bool live() const { return m_live; }
    /// Steps `Recv_STRINGS` by one up or down, wrapping within 1..13, and asks for that string.
    void step(int direction);
    /// A key on one of the RcvCW controls while polling: true when it was one of the keys that
    /// step the string or send a "VAL " request.
    bool shortcutKey(int key);
    void stop();

private:
    void tick();

    CTarvoFormView& m_view;
    LinkScreen& m_link;
    std::unique_ptr<ClockTimer> m_timer;
    bool m_live = false;
};
