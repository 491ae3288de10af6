#pragma once

#include <functional>
#include <memory>

class Clock;
class ClockTimer;

/// The view dialog's reading of the thirteen strings (timer 1): one "GET" at a time, each asked
/// once the one before is answered; with Loop a new round 300 ms after string 13.
class ViewReading {
public:
    struct Actions {
        std::function<void(int string)> ask;         ///< send the "GET" for string 1 .. 13
        std::function<void(bool enabled)> enableGet; ///< the "Get" button
    };

    ViewReading(Clock& clock, Actions actions);
    ~ViewReading();

    /// "Get", the arrival of an item list, Loop checked: disables "Get" and asks for string 1 in
    /// 1 ms unless a round is already due.
    void start();
    /// The answer for string n has been shown (message 2027).
    void answered(int string);
    /// Loop checked or unchecked by the operator.
    void setLoop(bool loop);
    bool loop() const { return m_loop; }
    /// The Loop box the dialog opens with: reading still waits for the item list.
    void openWithLoop(bool loop) { m_loop = loop; }
    /// Whether timer 1 runs.
    bool timerRunning() const;
    /// Stops timer 1 (the dialog closes).
    void stop();

private:
    void tick();
    void startTimer(int ms);

    Actions m_actions;
    std::unique_ptr<ClockTimer> m_timer;
    bool m_loop = false;
};
