#include "BenchKeying.h"

#include "keyer/KeyingLines.h"
#include "keyer/MorseSender.h"
#include "keyer/RemoteLink.h"
#include "keyer/SenderHost.h"
#include "keyer/Sidetone.h"
#include "keyer/TemplateExpander.h"
#include "platform/EventLoopClock.h"
#include "platform/KeyState.h"
#include "platform/MessageBoxes.h"
#include "platform/RealtimeThread.h"
#include "platform/RecordingSerialPort.h"
#include "settings/Settings.h"

#include <QPlainTextEdit>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <thread>

namespace {

class TextAreaHost : public SenderHost {
public:
    explicit TextAreaHost(QPlainTextEdit* area) : m_area(area) {}
    void LogText(const QString& text) override {
        if (!m_area)
            return;
        m_area->moveCursor(QTextCursor::End);
        m_area->insertPlainText(text);
    }
    int wpmBoxIndex() const override { return kBenchWpm - 10; }
    QRect escButtonScreenRect() const override { return {}; }
    bool isCqButtonChecked() const override { return false; }
    void setCqButtonChecked(bool) override {}
    void CqToggle() override {}
    void clearContact() override {}
    void setTxProgressRange(int) override {}
    void setTxProgress(int) override {}
    void stepTxProgress() override {}
    void setWatchProgress(int) override {}

private:
    QPlainTextEdit* m_area;
};

class Silent : public SidetoneOutput {
public:
    void SidetoneStart(int) override {}
};

class AsIs : public TemplateExpander {
public:
    std::optional<QString> ExpandTemplate(const QString& text, TokenSpan&) override { return text; }
};

} // namespace

std::vector<qint64> KeyOnce(Clock& clock, const EngineFactory& makeEngine, QPlainTextEdit* area, qint64 lineLatencyUs) {
    Settings settings;
    settings.SIG = 1;
    KeyerState state;
    TextAreaHost host(area);
    ManualKeyState keys;
    RecordingSerialPort port(clock);
    RecordingMessageBoxes boxes;
    KeyingLines lines(port, settings, boxes);
    Silent tone;
    AsIs expander;
    NoRemoteLink link;
    // A USB adapter's modem-control request is a round trip on the bus.
    if (lineLatencyUs > 0) {
        port.setChangeLatency([lineLatencyUs] {
            const timespec pause{0, long(lineLatencyUs * 1000)};
            nanosleep(&pause, nullptr);
        });
    }
    const std::unique_ptr<KeyingEngine> engine = makeEngine(port, tone);
    MorseSender sender(settings, state, host, {clock, keys, lines, *engine, expander, link});
    lines.OpenPort();
    port.clear();
    sender.SendMorse(kBenchText, SendButton);
    std::vector<qint64> moments = KeyMoments(port);
    moments.push_back(clock.nowUs());
    return moments;
}

std::vector<qint64> KeyMoments(const RecordingSerialPort& port) {
    std::vector<qint64> moments;
    bool level = false;
    for (const auto& change : port.changes()) {
        if (change.line == RecordingSerialPort::Line::Dtr && change.on != level) {
            moments.push_back(change.atUs);
            level = change.on;
        }
    }
    return moments;
}

KeyingFigures CompareTimelines(const std::vector<qint64>& real, const std::vector<qint64>& nominal) {
    KeyingFigures f;
    if (real.size() != nominal.size() || real.size() < 2) {
        std::fprintf(stderr, "line changes differ: %zu real, %zu nominal\n", real.size(), nominal.size());
        return f;
    }
    std::vector<double> absErrors;
    double signedSum = 0;
    for (size_t i = 1; i < real.size(); ++i) {
        const double error = ((real[i] - real[i - 1]) - (nominal[i] - nominal[i - 1])) / 1000.0;
        signedSum += error;
        absErrors.push_back(std::fabs(error));
    }
    std::sort(absErrors.begin(), absErrors.end());
    f.periods = absErrors.size();
    f.medianMs = absErrors[absErrors.size() / 2];
    f.p99Ms = absErrors[std::min(absErrors.size() - 1, size_t(std::ceil(absErrors.size() * 0.99)) - 1)];
    f.maxMs = absErrors.back();
    f.meanSignedMs = signedSum / absErrors.size();
    return f;
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void PrintKeying(const char* label, const KeyingFigures& f) {
    std::printf("keying %d WPM, %-12s %zu marks and spaces: |error| median %.3f ms, p99 %.3f ms, max %.3f ms; "
                "mean signed %+.4f ms; CPU %.2f %%\n",
                kBenchWpm, label, f.periods, f.medianMs, f.p99Ms, f.maxMs, f.meanSignedMs, f.cpuPercent);
    std::fflush(stdout);
}

/// The machine's own floor: a bare thread at the engine's priority sleeping to deadlines spaced as
/// the edges are, finishing each with the same spin, and nothing else. What it sees late, no keying
/// on this machine can see on time.
void PrintWakeFloor(int wakes) {
    std::thread([wakes] {
        RequestRealtimeScheduling();
        EventLoopClock clock;
        std::vector<qint64> late;
        qint64 due = clock.nowUs() + 10'000;
        for (int i = 0; i < wakes; ++i) {
            due += 24'000 * (1 + i % 3);
            clock.settle(due);
            late.push_back(clock.nowUs() - due);
        }
        std::sort(late.begin(), late.end());
        const auto over = [&late](qint64 us) {
            return late.end() - std::upper_bound(late.begin(), late.end(), us);
        };
        std::printf("machine floor, %d bare wakes: late over 0.3 ms %td, over 1 ms %td, worst %.3f ms\n", wakes,
                    over(300), over(1000), late.back() / 1000.0);
        std::fflush(stdout);
    }).join();
}
