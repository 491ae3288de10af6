#pragma once

class KeyboardHost;

/// Keys what the operator types into the input line, from its front, while they go on typing.
class KeyboardKeyer {
public:
    explicit KeyboardKeyer(KeyboardHost& view) : m_view(view) {}

    /// The KEY box was clicked (or toggled by Ctrl+K).
    void KeyHandler();
    /// The input line changed.
    void inputChanged();
    /// Ends the keyboard line: the keyed text becomes one line of the transcript and the log.
    void closeLine();
    bool controlsDisabled() const { return m_controlsDisabled; }

private:
    void keyingLoop();
    void disableButtons(bool disable);

    KeyboardHost& m_view;
    bool m_running = false;
    bool m_handlerRunning = false;
    bool m_controlsDisabled = false;
};
