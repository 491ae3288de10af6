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

#include "BenchKeying.h"
#include "keyer/ThreadKeyingEngine.h"
#include "keyer/VirtualKeyingEngine.h"
#include "platform/EventLoopClock.h"
#include "platform/VirtualClock.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTimer>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

KeyingFigures measure(const std::vector<qint64>& nominal, QPlainTextEdit* area, qint64 lineLatencyUs = 0) {
    EventLoopClock clock;
    const EngineFactory threaded = [&clock](SerialPort& port, SidetoneOutput& tone) {
        return std::make_unique<ThreadKeyingEngine>(clock, port, tone);
    };
    const double cpu0 = CpuSeconds();
    const qint64 wall0 = clock.nowUs();
    const std::vector<qint64> real = KeyOnce(clock, threaded, area, lineLatencyUs);
    const double cpu = 100.0 * (CpuSeconds() - cpu0) / ((clock.nowUs() - wall0) / 1e6);
    KeyingFigures f = CompareTimelines(real, nominal);
    f.cpuPercent = cpu;
    return f;
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
    const std::vector<qint64> nominal = KeyOnce(virtualClock, onVirtualTime, nullptr);

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
        PrintWakeFloor(346);
        load.start(30);
        PrintKeying("text load:", measure(nominal, &monitor));
        load.stop();
        PrintKeying("1 ms lines:", measure(nominal, &monitor, 1000));
        blocker.start(300);
        PrintKeying("40ms blocks:", measure(nominal, &monitor));
        blocker.stop();
        PrintKeying("idle:", measure(nominal, &monitor));
    }
    return 0;
}
