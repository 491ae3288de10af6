#pragma once

#include "keyer/KeyerState.h"
#include "keyer/MorseTable.h"

#include <QString>

class Clock;
class KeyState;
class KeyingLines;
class RemoteLink;
class SenderHost;
class SidetoneOutput;
class TemplateExpander;
struct Settings;

/// Send modes of SendMorse.
enum SendMode { SendButton = 0, SendCqRepeat = 1, SendKeyboard = 2, SendEchoOnly = 9 };

/// Keys one text in Morse on the KEY line with exact element timing, keeping the event loop alive.
///
/// Every wait ends at a deadline fixed when its element began (the line change plus the nominal
/// length). A gap is waited in the event loop up to shortly before its deadline; the rest of it is
/// finished precisely right before the next line change, so the echo and checks that come between
/// two elements never lengthen the gap.
class MorseSender {
public:
    struct Devices {
        Clock& clock;
        KeyState& keys;
        KeyingLines& lines;
        SidetoneOutput& sidetone;
        TemplateExpander& expander;
        RemoteLink& link;
    };

    MorseSender(Settings& settings, KeyerState& state, SenderHost& host, const Devices& devices);

    /// Result 0: sent to its end, empty, or handed to the remote peer; 1: aborted or refused (always
    /// for echo only).
    int SendMorse(const QString& text, int mode);

    /// One key-down period of 1 or 3 units with sidetone.
    void KeyMark(int units);
    /// Waits 0, 1, 3 or 7 units with the key up.
    void KeySpace(int units);
    /// Escape held, or the left button held on the "Esc" button.
    bool AbortRequested() const;

private:
    enum class Step { Next, Abort };

    Step keyCharacter(const QString& text, int i, int mode);
    Step keyElements(const char16_t* code);
    Step elementChecks();
    bool keyUp();
    bool switchKey(bool on);
    /// Starts the tone and waits the mark up to shortly before its end.
    void mark(int units);
    /// Moves the deadline on by the element and waits in the event loop up to shortly before it.
    void gap(int units);
    bool abortCheck();
    bool cqRunning() const;
    bool cqStopKeys();
    bool showsProgress(int mode) const;
    void handOff(const QString& expanded);
    void finish(int mode);

    Settings& m_settings;
    KeyerState& m_state;
    SenderHost& m_host;
    Devices m_dev;
    MorseIndex m_index;
    /// When the current element or gap ends: set at each line change, advanced by each wait.
    qint64 m_deadlineUs = 0;
    bool m_keyDown = false;
    int m_charCounter = 0;
};
