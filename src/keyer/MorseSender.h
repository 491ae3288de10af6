#pragma once

#include "keyer/KeyerState.h"
#include "keyer/MessagePlan.h"
#include "keyer/MorseTable.h"

#include <QString>

class Clock;
class KeyingEngine;
class KeyState;
class KeyingLines;
class RemoteLink;
class SenderHost;
class TemplateExpander;
struct Settings;

/// Send modes of SendMorse.
enum SendMode { SendButton = 0, SendCqRepeat = 1, SendKeyboard = 2, SendEchoOnly = 9 };

/// Keys one text in Morse on the KEY line with exact element timing, keeping the event loop alive.
///
/// The line changes and tone starts are the keying engine's: the sender works out the whole
/// message's schedule, hands it over before its first edge, and then walks through it on the
/// user-interface thread, echoing each character when it begins and making the operator's checks
/// shortly before each element. Every edge is due at the previous one's due time plus its nominal
/// length, so neither the echo nor a busy screen moves one; an abort cancels what is still to come.
class MorseSender {
public:
    struct Devices {
        Clock& clock;
        KeyState& keys;
        KeyingLines& lines;
        KeyingEngine& engine;
        TemplateExpander& expander;
        RemoteLink& link;
    };

    MorseSender(Settings& settings, KeyerState& state, SenderHost& host, const Devices& devices);

    /// Result 0: sent to its end, empty, or handed to the remote peer; 1: aborted or refused (always
    /// for echo only).
    int SendMorse(const QString& text, int mode);

    /// Raises the PTT line (SIG_STANDBY), opening the port, and waits its lead of DELAY × 10 ms; the
    /// next mark comes exactly that long after the raise. False when there is no PTT line to raise.
    bool RaisePtt();
    /// Drops the PTT line right after the last gap.
    void DropPtt();

    /// One key-down period of 1 or 3 units with sidetone.
    void KeyMark(int units);
    /// Waits 0, 1, 3 or 7 units with the key up.
    void KeySpace(int units);
    /// Escape held, or the left button held on the "Esc" button.
    bool AbortRequested() const;

private:
    enum class Step { Next, Abort };

    Step characterChecks(const QString& text, int i, int mode);
    Step elementChecks();
    /// Opens the port when the KEY line needs it, anchors the schedule and hands every edge over.
    bool startKeying(const MessagePlan& plan);
    /// Where the schedule goes on: the end of what was handed last, or now once that lies more than
    /// an element back.
    qint64 anchor();
    /// Dispatches events until shortly before atUs, so the checks made then come before the edge.
    void waitBefore(qint64 atUs);
    void waitUntil(qint64 atUs);
    bool cqRunning() const;
    bool cqStopKeys();
    bool abortCheck();
    bool showsProgress(int mode) const;
    void handOff(const QString& expanded);
    /// Ends the send; false when a line change failed on the way.
    bool finish(int mode);

    Settings& m_settings;
    KeyerState& m_state;
    SenderHost& m_host;
    Devices m_dev;
    MorseIndex m_index;
    /// Where the next edge goes: the end of the last element or gap handed to the engine.
    qint64 m_cursorUs = 0;
    qint64 m_startUs = 0; ///< the first edge of the message being walked
    int m_pttCode = 0;    ///< the PTT line raised, 0 none
    int m_charCounter = 0;
};
