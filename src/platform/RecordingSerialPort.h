#pragma once

#include "platform/SerialPort.h"

#include <QList>

#include <functional>

class Clock;

/// Test backend: a port that opens (unless told to fail) and records every line change with the
/// clock's time.
class RecordingSerialPort : public SerialPort {
public:
    enum class Line { Dtr, Rts };
    struct Change {
        qint64 atUs;
        Line line;
        bool on;
    };
    enum class Event { Open, Purge, Close };

    explicit RecordingSerialPort(const Clock& clock);

    OpenResult open(int com) override;
    bool isOpen() const override { return m_open; }
    QString displayName(int com) const override;
    QString lastErrorDetail() const override { return {}; }
    bool setDtr(bool on) override;
    bool setRts(bool on) override;
    void purge() override;
    void close() override;

    /// Every setDtr/setRts call while open, whether or not the level changed.
    const QList<Change>& changes() const { return m_changes; }
    const QList<Event>& events() const { return m_events; }
    /// The COM number of the last open, 0 before the first.
    int openedCom() const { return m_openedCom; }
    bool dtr() const { return m_dtr; }
    bool rts() const { return m_rts; }

    void clear();
    void failOpenWith(OpenResult result) { m_failWith = result; }
    void failLineChanges(bool fail) { m_failLines = fail; }
    /// Runs after each line change is recorded: the time a slow adapter's request takes.
    void setChangeLatency(std::function<void()> latency) { m_latency = std::move(latency); }

private:
    bool record(Line line, bool on, bool& level);

    const Clock& m_clock;
    QList<Change> m_changes;
    QList<Event> m_events;
    OpenResult m_failWith = OpenResult::Ok;
    bool m_failLines = false;
    std::function<void()> m_latency;
    bool m_open = false;
    int m_openedCom = 0;
    bool m_dtr = false;
    bool m_rts = false;
};
