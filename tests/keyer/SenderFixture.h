#pragma once

#include "QtPrinters.h"
#include "keyer/KeyerState.h"
#include "keyer/KeyingLines.h"
#include "keyer/MorseSender.h"
#include "keyer/RemoteLink.h"
#include "keyer/SenderHost.h"
#include "keyer/Sidetone.h"
#include "keyer/TemplateExpander.h"
#include "keyer/VirtualKeyingEngine.h"
#include "platform/KeyState.h"
#include "platform/MessageBoxes.h"
#include "platform/RecordingSerialPort.h"
#include "platform/VirtualClock.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

class FakeHost : public SenderHost {
public:
    explicit FakeHost(VirtualClock& clock) : m_clock(clock) {}

    void LogText(const QString& text) override;
    int wpmBoxIndex() const override { return wpmIndex; }
    QRect escButtonScreenRect() const override { return escRect; }
    bool isCqButtonChecked() const override { return cqChecked; }
    void setCqButtonChecked(bool checked) override { cqChecked = checked; }
    void CqToggle() override { ++cqToggles; }
    void clearContact() override { ++clears; }
    void setTxProgressRange(int maximum) override { progress.append(QStringLiteral("range %1").arg(maximum)); }
    void setTxProgress(int value) override { progress.append(QStringLiteral("tx %1").arg(value)); }
    void stepTxProgress() override { progress.append(QStringLiteral("step")); }
    void setWatchProgress(int value) override { progress.append(QStringLiteral("watch %1").arg(value)); }

    int wpmIndex = 10;
    QRect escRect{100, 100, 40, 20};
    bool cqChecked = false;
    int cqToggles = 0;
    int clears = 0;
    QString logged;
    QStringList progress;
    /// Virtual time each LogText call costs, as a slow text area would.
    qint64 logCostUs = 0;

private:
    VirtualClock& m_clock;
};

class FakeSidetone : public SidetoneOutput {
public:
    void SidetoneStart(int units) override { starts.append(units); }
    QList<int> starts;
};

/// Passes texts through unchanged, or refuses them with a given span.
class FakeExpander : public TemplateExpander {
public:
    std::optional<QString> ExpandTemplate(const QString& text, TokenSpan& span) override;
    std::optional<TokenSpan> refuseWith;
};

class FakeLink : public RemoteLink {
public:
    bool isRemoteStation() const override { return remote; }
    bool canHandOff() const override { return handOffEnabled; }
    void startRemoteWait() override { ++remoteWaits; }
    void sendToHost(int wpm, const QString& text) override { sent.append(QStringLiteral("%1 %2").arg(wpm).arg(text)); }
    int PendingLinkBytes() const override { return pendingBytes; }

    bool remote = false;
    bool handOffEnabled = true;
    int remoteWaits = 0;
    int pendingBytes = 0;
    QStringList sent; ///< "wpm text"
};

/// A sender wired to virtual devices. Line changes are recorded with their virtual time.
class SenderTest : public ::testing::Test {
protected:
    SenderTest();

    /// Sends text and returns the result; remembers when the send returned.
    int send(const QString& text, int mode = SendButton);
    /// The KEY line (DTR) as alternating periods from the first raise to the return of the send:
    /// "+60" key down 60 ms, "-421" key up 421 ms.
    QStringList keyTimeline() const;

    VirtualClock clock;
    Settings settings;
    KeyerState state;
    FakeHost host{clock};
    ManualKeyState keys;
    RecordingSerialPort port{clock};
    RecordingMessageBoxes boxes;
    KeyingLines lines{port, settings, boxes};
    FakeSidetone sidetone;
    FakeExpander expander;
    FakeLink link;
    VirtualKeyingEngine engine{clock, port, sidetone};
    MorseSender sender{settings, state, host, {clock, keys, lines, engine, expander, link}};
    qint64 startedUs = 0;
    qint64 returnedUs = 0;
};
