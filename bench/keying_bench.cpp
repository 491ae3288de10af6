// Keys a fixed text at 50 WPM on the real clock, through the keying engine on its own thread, and
// prints how far every mark and space strays from its nominal length, and the CPU the process used
// while keying.
//
//   keying_bench [--runs N]
//
// Each run keys four times: while a timer appends to a text widget every 30 ms; through a serial
// port whose every line change takes 1 ms, as a USB adapter's does; while the event loop is
// blocked for 40 ms every 300 ms; and without load (the CPU figure). Before them it measures how
// late a bare real-time thread wakes on this machine, the floor under every figure.

#include "keyer/KeyingLines.h"
#include "keyer/MorseSender.h"
#include "keyer/RemoteLink.h"
#include "keyer/SenderHost.h"
#include "keyer/Sidetone.h"
#include "keyer/TemplateExpander.h"
#include "keyer/ThreadKeyingEngine.h"
#include "keyer/VirtualKeyingEngine.h"
#include "platform/EventLoopClock.h"
#include "platform/KeyState.h"
#include "platform/MessageBoxes.h"
#include "platform/RealtimeThread.h"
#include "platform/RecordingSerialPort.h"
#include "platform/VirtualClock.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTimer>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace {

const QString kText = QStringLiteral("CQ TEST DE TRV/PC 5NN 599 QTH? R=73, TU. (OK) +/- @ 12 K 0 9");
constexpr int kWpm = 50;

class TextAreaHost : public SenderHost {
public:
    explicit TextAreaHost(QPlainTextEdit* area) : m_area(area) {}
    void LogText(const QString& text) override {
        if (!m_area)
            return;
        m_area->moveCursor(QTextCursor::End);
        m_area->insertPlainText(text);
    }
    int wpmBoxIndex() const override { return kWpm - 10; }
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

using EngineFactory = std::function<std::unique_ptr<KeyingEngine>(SerialPort&, SidetoneOutput&)>;

/// Keys the text on the given clock; returns the moments the KEY line changed, and the return.
std::vector<qint64> keyOnce(Clock& clock, const EngineFactory& makeEngine, QPlainTextEdit* area,
                            qint64 lineLatencyUs = 0) {
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
    sender.SendMorse(kText, SendButton);
    std::vector<qint64> moments;
    bool level = false;
    for (const auto& change : port.changes()) {
        if (change.line == RecordingSerialPort::Line::Dtr && change.on != level) {
            moments.push_back(change.atUs);
            level = change.on;
        }
    }
    moments.push_back(clock.nowUs());
    return moments;
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Figures {
    size_t periods = 0;
    double medianMs = 0, p99Ms = 0, maxMs = 0, meanSignedMs = 0, cpuPercent = 0;
};

Figures measure(const std::vector<qint64>& nominal, QPlainTextEdit* area, qint64 lineLatencyUs = 0) {
    EventLoopClock clock;
    const EngineFactory threaded = [&clock](SerialPort& port, SidetoneOutput& tone) {
        return std::make_unique<ThreadKeyingEngine>(clock, port, tone);
    };
    const double cpu0 = cpuSeconds();
    const qint64 wall0 = clock.nowUs();
    const std::vector<qint64> real = keyOnce(clock, threaded, area, lineLatencyUs);
    Figures f;
    f.cpuPercent = 100.0 * (cpuSeconds() - cpu0) / ((clock.nowUs() - wall0) / 1e6);
    if (real.size() != nominal.size()) {
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

/// The machine's own floor: a bare thread at the engine's priority sleeping to deadlines spaced as
/// the edges are, finishing each with the same spin, and nothing else. What it sees late, no keying
/// on this machine can see on time.
void printWakeFloor(int wakes) {
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

void print(const char* label, const Figures& f) {
    std::printf("keying %d WPM, %-12s %zu marks and spaces: |error| median %.3f ms, p99 %.3f ms, max %.3f ms; "
                "mean signed %+.4f ms; CPU %.2f %%\n",
                kWpm, label, f.periods, f.medianMs, f.p99Ms, f.maxMs, f.meanSignedMs, f.cpuPercent);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int runs = 1;
    const QStringList args = app.arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--runs")); at >= 0 && at + 1 < args.size())
        runs = std::max(1, args[at + 1].toInt());

    VirtualClock virtualClock;
    const EngineFactory onVirtualTime = [&virtualClock](SerialPort& port, SidetoneOutput& tone) {
        return std::make_unique<VirtualKeyingEngine>(virtualClock, port, tone);
    };
    const std::vector<qint64> nominal = keyOnce(virtualClock, onVirtualTime, nullptr);

    QPlainTextEdit monitor;
    QPlainTextEdit busy;
    monitor.resize(600, 300);
    busy.resize(600, 300);
    monitor.show();
    busy.show();
    QTimer load;
    int line = 0;
    QObject::connect(&load, &QTimer::timeout, &busy,
                     [&] { busy.appendPlainText(QStringLiteral("%1 RX CQ TEST DE TRV/PC TRV/PC K").arg(++line)); });

    QTimer blocker;
    QObject::connect(&blocker, &QTimer::timeout, &busy, [] {
        // Drawing, a burst of datagrams, a dialog opening: the event loop does nothing else.
        const timespec pause{0, 40'000'000};
        nanosleep(&pause, nullptr);
    });

    for (int run = 0; run < runs; ++run) {
        printWakeFloor(346);
        load.start(30);
        print("text load:", measure(nominal, &monitor));
        load.stop();
        print("1 ms lines:", measure(nominal, &monitor, 1000));
        blocker.start(300);
        print("40ms blocks:", measure(nominal, &monitor));
        blocker.stop();
        print("idle:", measure(nominal, &monitor));
    }
    return 0;
}
