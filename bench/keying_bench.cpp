// Keys a fixed text at 50 WPM on the real clock and prints how far every mark and space strays
// from its nominal length, and the CPU the process used while keying.
//
//   keying_bench [--runs N]
//
// Each run keys twice: once while a timer appends to a text widget every 30 ms (the timing
// figures), once without that load (the CPU figure).

#include "keyer/KeyingLines.h"
#include "keyer/MorseSender.h"
#include "keyer/RemoteLink.h"
#include "keyer/SenderHost.h"
#include "keyer/Sidetone.h"
#include "keyer/TemplateExpander.h"
#include "platform/EventLoopClock.h"
#include "platform/KeyState.h"
#include "platform/MessageBoxes.h"
#include "platform/RecordingSerialPort.h"
#include "platform/VirtualClock.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
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

/// Keys the text on the given clock; returns the moments the KEY line changed, and the return.
std::vector<qint64> keyOnce(Clock& clock, QPlainTextEdit* area) {
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
    MorseSender sender(settings, state, host, {clock, keys, lines, tone, expander, link});
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

Figures measure(const std::vector<qint64>& nominal, QPlainTextEdit* area) {
    EventLoopClock clock;
    const double cpu0 = cpuSeconds();
    const qint64 wall0 = clock.nowUs();
    const std::vector<qint64> real = keyOnce(clock, area);
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
    const std::vector<qint64> nominal = keyOnce(virtualClock, nullptr);

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

    for (int run = 0; run < runs; ++run) {
        load.start(30);
        print("text load:", measure(nominal, &monitor));
        load.stop();
        print("idle:", measure(nominal, &monitor));
    }
    return 0;
}
