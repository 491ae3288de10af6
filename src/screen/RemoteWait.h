#pragma once

class CTarvoFormView;
class StationLink;

/// A remote station's wait for the host's answer, and how the screen comes back from it.
class RemoteWait {
public:
    enum Mode { End = 0, Start = 1, Ask = 2 };

    RemoteWait(CTarvoFormView& view, StationLink& link) : m_view(view), m_link(link) {}

    /// `SetRemoteWait`: starts or ends the wait, or only asks; returns `RemoteWaiting`.
    bool SetRemoteWait(Mode mode);
    /// `SendRemoteEscape`: the operator gives up waiting; the host is told to stop.
    void SendRemoteEscape();
    /// A TX button handed its message off: the focus moves on from it when the answer comes.
    void focusAfterAnswer(int controlId) { m_focusAfter = controlId; }
    bool waiting() const { return m_waiting; }

private:
    void start();
    void end();
    /// Gives the screen back as a local transmission does when it ends.
    void restoreControls();

    CTarvoFormView& m_view;
    StationLink& m_link;
    bool m_waiting = false; ///< `RemoteWaiting`
    bool m_escape = false;  ///< `EscapeRequested`
    int m_focusAfter = 0;   ///< the TX button the focus moves on from, 0 for none
};
