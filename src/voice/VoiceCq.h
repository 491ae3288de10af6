#pragma once

#include <QRect>
#include <QString>

#include <optional>

class Clock;
class KeyingEngine;
class KeyingLines;
class KeyState;
class VoicePlayer;
struct Settings;
struct VoicePlan;

/// What the voice CQ shows on its dialog.
class VoiceCqHost {
public:
    enum class Bar { Count, Transmit, Watch };

    virtual ~VoiceCqHost() = default;
    /// While a voice CQ runs: the stop icon shown and every other control disabled.
    virtual void showRunning(bool running) = 0;
    /// "TX" while the transmitter is keyed.
    virtual void showTransmitting(bool on) = 0;
    /// "End": Ctrl+1 .. 6 has asked the voice CQ to stop after this call.
    virtual void showEnd(bool shown) = 0;
    virtual void setBarText(Bar bar, const QString& text) = 0;
    virtual void setBarRange(Bar bar, int maximum) = 0;
    virtual void setBarValue(Bar bar, int value) = 0;
    /// Where a press of the left button stops the voice CQ, in screen coordinates.
    virtual QRect stopIconScreenRect() const = 0;
    /// The file does not play here: said once, and the transmitter stays unkeyed.
    virtual void cannotPlay(const QString& message) = 0;
};

/// Calls CQ by voice: a row's file played as a transmission between the PTT and KEY lines,
/// repeated with a watch pause, stopped by Escape, the stop icon or Ctrl+1 .. 6.
class VoiceCq {
public:
    struct Devices {
        Clock& clock;
        KeyState& keys;
        KeyingLines& lines;
        KeyingEngine& engine;
        VoicePlayer& player;
    };

    VoiceCq(Settings& settings, VoiceCqHost& host, const Devices& devices);

    /// The voice CQ of one row; returns when it has ended and the keys that stopped it are up.
    void run(const QString& path, int durationMs, int onIndex, int offIndex, bool repeat);
    bool running() const { return m_running; }

private:
    void showPlan(const VoicePlan& plan);
    /// One call: played, its first sample and on cut awaited, keyed and dropped; counter counts it once
    /// keyed. False when the voice CQ ends here.
    bool call(const QString& path, const VoicePlan& plan, int onIndex, int& counter, int& kept);
    /// A wait while the call's sound plays: false when the call ends here, on Escape or because the
    /// sound stopped (said once). A digit held is kept.
    bool waitInCall(qint64 fromUs, int ms, bool tracking, int& kept);
    /// The result of a wait from fromUs: 0, Escape (27), the digit '1' .. '6' held with Ctrl, or −1
    /// when the sound stopped because its device went away.
    int wait(qint64 fromUs, int ms, VoiceCqHost::Bar bar, bool stoppable, bool tracking);
    /// When the call's first sample sounded; nothing when Escape came first (then kept is Escape) or
    /// the output never started. A digit held meanwhile is kept.
    std::optional<qint64> awaitSound(int& kept);
    /// A digit held with Ctrl, once pressed anew: the Ctrl+digit that started the voice CQ is no stop.
    int pressedDigit();
    bool stopRequested() const;
    /// PTT, its lead and KEY through the keying engine; when KEY rose, or nothing when a line failed.
    std::optional<qint64> keyOn();
    /// KEY, then PTT, down at atUs; the engine makes them while the output closes.
    void scheduleOff(qint64 atUs);
    /// Waits for the lines due by now; false when a change failed (the port is closed then).
    bool finishLines();
    void releaseKeys(int result);

    Settings& m_settings;
    VoiceCqHost& m_host;
    Devices m_dev;
    bool m_running = false;
    unsigned m_heldSinceStart = 0; ///< digits 1 .. 6 (bits 0 .. 5) not yet released since the start
};
