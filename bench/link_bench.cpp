// Floods the operating screen's link with "GET" replies from a companion on 127.0.0.1 while the
// screen keys a message at 50 WPM on the real clock, and prints what it handled and how the
// keying and the event loop fared.
//
//   link_bench [--runs N] [--count N] [--per-ms N]
//   link_bench --soak-minutes N
//
// count replies (10000) go out back to back, or per-ms at a time with a millisecond between, from
// the moment the message starts. The screen polls its selected string with the RcvCW box checked,
// so every reply goes through the live line of the text area. The soak keys automatic CQ for N
// minutes instead, while tarvo-peer sends a reply every millisecond, and prints the resident memory
// each minute.

#include "BenchKeying.h"
#include "keyer/KeyerState.h"
#include "keyer/KeyingLines.h"
#include "keyer/SidetoneGenerator.h"
#include "keyer/ThreadKeyingEngine.h"
#include "keyer/VirtualKeyingEngine.h"
#include "link/LinkHost.h"
#include "link/StationLink.h"
#include "log/CsvLog.h"
#include "platform/EventLoopClock.h"
#include "platform/FileDialogs.h"
#include "platform/KeyState.h"
#include "platform/MessageBoxes.h"
#include "platform/RecordingAudioOut.h"
#include "platform/RecordingSerialPort.h"
#include "platform/UdpSocket.h"
#include "platform/VirtualClock.h"
#include "resources/Accel128.h"
#include "resources/ControlIds.h"
#include "screen/CTarvoFormView.h"
#include "screen/FrameHost.h"
#include "screen/LinkScreen.h"
#include "settings/Settings.h"
#include "templates/TemplateTokens.h"
#include "voice/VoicePlayer.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <QPlainTextEdit>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <optional>
#include <thread>

namespace {

class BenchFrame : public FrameHost {
public:
    int wpmBoxIndex() const override { return kBenchWpm - 10; }
    void RebuildCommandBar(int) override {}
    void setCommandBarEnabled(bool) override {}
    void applyLinkMenuRules() override {}
};

/// Passes every call on to the screen, counting the string replies and when they came.
class CountingHost : public LinkHost {
public:
    explicit CountingHost(LinkHost& screen) : m_screen(screen) {}

    bool viewDialogOpen() const override { return m_screen.viewDialogOpen(); }
    bool LiveStrings() const override { return m_screen.LiveStrings(); }
    bool mainWindowVisible() const override { return m_screen.mainWindowVisible(); }
    bool idleForRemote() const override { return m_screen.idleForRemote(); }
    void setField(ContactField field, const QString& text) override { m_screen.setField(field, text); }
    void bringToFront() override { m_screen.bringToFront(); }
    void clearContact() override { m_screen.clearContact(); }
    void setRcvCwCaption(const QString& caption) override {
        // Once per string reply.
        ++replies;
        lastUs = m_clock.nsecsElapsed() / 1000;
        if (firstUs < 0)
            firstUs = lastUs;
        m_screen.setRcvCwCaption(caption);
    }
    void LogText(const QString& text) override { m_screen.LogText(text); }
    void updateLiveLine(const QString& text) override { m_screen.updateLiveLine(text); }
    void showViewString(int string, const QString& pitch, const QString& text) override {
        m_screen.showViewString(string, pitch, text);
    }
    void setViewItems(const QStringList& records) override { m_screen.setViewItems(records); }
    void frequencyTaken() override { m_screen.frequencyTaken(); }
    void logData(const QString& block) override { m_screen.logData(block); }
    void keyRemoteText(int wpm, const QString& text) override { m_screen.keyRemoteText(wpm, text); }
    void startRemoteWait() override { m_screen.startRemoteWait(); }
    void endRemoteWait() override { m_screen.endRemoteWait(); }
    void sendToPeer(LinkPeer peer, const QByteArray& datagram) override { m_screen.sendToPeer(peer, datagram); }

    qint64 replies = 0;
    qint64 firstUs = -1, lastUs = -1;

private:
    LinkHost& m_screen;
    QElapsedTimer m_clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
};

/// Datagrams the kernel dropped because a UDP socket's buffer was full, for the whole machine.
qint64 UdpReceiveBufferErrors() {
    QFile snmp(QStringLiteral("/proc/net/snmp"));
    if (!snmp.open(QIODevice::ReadOnly))
        return -1;
    QList<QByteArray> names;
    // A /proc file has no size: read it whole, not up to its end.
    for (const QByteArray& line : snmp.readAll().split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split(' ');
        if (fields.value(0) != "Udp:")
            continue;
        if (names.isEmpty()) {
            names = fields;
            continue;
        }
        const qsizetype at = names.indexOf("RcvbufErrors");
        return at > 0 ? fields.value(at).toLongLong() : -1;
    }
    return -1;
}

/// Measures the longest gap between two ticks of a 1 ms timer on the user-interface thread.
class StallMeter {
public:
    StallMeter() {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed() / 1000;
            if (m_lastUs >= 0)
                m_longestUs = std::max(m_longestUs, now - m_lastUs);
            m_lastUs = now;
        });
        m_clock.start();
        m_timer.start(1);
    }
    double longestMs() const { return m_longestUs / 1000.0; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastUs = -1;
    qint64 m_longestUs = 0;
};

struct Options {
    int runs = 1;
    int count = 10000;
    int perMs = 0;
};

/// The operating screen on the real clock with its link on 127.0.0.1, keying a recording port,
/// the RcvCW box checked so that every string reply goes through the transcript's live line.
struct BenchStation {
    explicit BenchStation(const Settings& prepared) : settings(prepared) {
        view.OnInitialUpdate();
        view.resize(480, 240);
        view.show();
        static_cast<QCheckBox*>(view.control(Ctl::RcvCw))->click();
        link.setHost(&counter);
    }
    ~BenchStation() { link.setHost(&view.link()); }

    Settings settings;
    KeyerState state;
    EventLoopClock clock;
    ManualKeyState keys;
    RecordingSerialPort port{clock};
    RecordingMessageBoxes boxes;
    KeyingLines lines{port, settings, boxes};
    RecordingAudioOut audio;
    SidetoneGenerator sidetone{audio, settings, ToneShape{}, -1};
    ThreadKeyingEngine engine{clock, port, sidetone};
    TemplateTokens tokens{settings};
    StationLink link{settings, state, kLoopbackIpv4};
    QTemporaryDir logDir;
    CsvLog log{settings, boxes, logDir.path()};
    RecordingAudioOut voiceAudio;
    VoicePlayer voice{voiceAudio, -1};
    RecordingFileDialogs files;
    BenchFrame frame;
    CTarvoFormView view{
        settings, state, frame, {clock, keys, lines, engine, sidetone, tokens, link, boxes, log, voice, files}};
    CountingHost counter{view.link()};
};

/// Settings for a station whose companion is companion, on a free port of its own.
std::optional<Settings> StationSettings(UdpSocket& companion) {
    UdpSocket probe;
    if (!companion.bind(kLoopbackIpv4, 0) || !probe.bind(kLoopbackIpv4, 0)) {
        std::fprintf(stderr, "no socket on 127.0.0.1\n");
        return std::nullopt;
    }
    Settings settings;
    settings.enable = 1;
    settings.ip = QStringLiteral("127.0.0.1");
    settings.port = companion.localPort();
    settings.myport = probe.localPort();
    settings.SIG = 1;
    settings.SIG_STANDBY = 2;
    settings.chk_TONE = 0;
    settings.WPM = kBenchWpm;
    settings.TX[0] = kBenchText;
    return settings;
}

/// Sends count "GET01" replies to port from another thread.
std::thread Flood(quint16 port, int count, int perMs, std::atomic<int>& sent) {
    return std::thread([=, &sent] {
        UdpSocket from;
        if (!from.bind(kLoopbackIpv4, 0))
            return;
        for (int i = 0; i < count; ++i) {
            const QByteArray reply = "GET01 0600 " + QByteArray::number(i) + " CQ CQ DE TRV/PC TRV/PC K\r";
            if (from.sendTo(reply, kLoopbackIpv4, port))
                ++sent;
            if (perMs > 0 && (i + 1) % perMs == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
}

void floodRun(const Options& options, const std::vector<qint64>& nominal) {
    UdpSocket companion; // the companion's address; also takes the screen's polls
    const std::optional<Settings> settings = StationSettings(companion);
    if (!settings)
        return;
    BenchStation station(*settings);
    const qint64 dropsBefore = UdpReceiveBufferErrors();
    std::atomic<int> sent{0};
    std::thread flood = Flood(quint16(settings->myport), options.count, options.perMs, sent);
    StallMeter stalls;
    const double cpu0 = CpuSeconds();
    const qint64 wall0 = station.clock.nowUs();
    station.view.SendPreparedMessage(1);
    const double cpu = 100.0 * (CpuSeconds() - cpu0) / ((station.clock.nowUs() - wall0) / 1e6);
    flood.join();
    // What is still on its way through the event loop.
    for (qint64 before = -1; before != station.counter.replies;) {
        before = station.counter.replies;
        station.clock.pumpUntil(station.clock.nowUs() + 200'000);
    }
    const qint64 kernelDropped = dropsBefore >= 0 ? UdpReceiveBufferErrors() - dropsBefore : -1;
    const qint64 received = sent - std::max<qint64>(kernelDropped, 0);
    const double spanS = (station.counter.lastUs - station.counter.firstUs) / 1e6;
    std::printf("link: %d replies sent, %lld dropped by the kernel (socket buffer full), %lld received, %lld handled "
                "(%.0f per second), %lld received but not handled; event loop blocked %.1f ms at the longest\n",
                sent.load(), kernelDropped, received, station.counter.replies,
                spanS > 0 ? station.counter.replies / spanS : 0.0, received - station.counter.replies,
                stalls.longestMs());
    KeyingFigures figures = CompareTimelines(KeyMoments(station.port), nominal);
    figures.cpuPercent = cpu;
    PrintKeying("under flood:", figures);
}

/// The process's resident memory in KiB.
qint64 ResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

/// The number in tarvo-peer's last "flood: N replies sent" line, or −1.
qint64 FloodedReplies(const QByteArray& peerOutput) {
    const qsizetype at = peerOutput.lastIndexOf("flood: ");
    return at < 0 ? -1 : peerOutput.mid(at + 7).split(' ').value(0).toLongLong();
}

/// Automatic CQ for minutes while tarvo-peer floods string replies, one per millisecond: the
/// resident memory each minute, and how much it grew after the first.
void soakRun(int minutes) {
    std::optional<Settings> settings;
    {
        UdpSocket companion; // only to find a free port for tarvo-peer
        settings = StationSettings(companion);
    }
    if (!settings)
        return;
    settings->CQ_Sel = 1;
    settings->CQ_Sec = 2;
    settings->CQ_Limit = 50;
    BenchStation station(*settings);
    QProcess peer;
    peer.start(QStringLiteral(TARVO_PEER),
               {"--bind", "127.0.0.1", "--port", QString::number(settings->port), "--tarvo-port",
                QString::number(settings->myport), "--no-input", "--flood", "1"});
    if (!peer.waitForStarted()) {
        std::fprintf(stderr, "tarvo-peer did not start: %s\n", qPrintable(peer.errorString()));
        return;
    }
    const qint64 dropsBefore = UdpReceiveBufferErrors();
    QList<qint64> kib;
    int keyedBefore = 0;
    for (int minute = 0; minute < minutes; ++minute) {
        const qint64 endUs = station.clock.nowUs() + 60'000'000;
        while (station.clock.nowUs() < endUs) {
            // A run ends after CQ_Limit calls: the next one starts at once.
            if (!station.state.cqRepeat && !station.state.onAir())
                station.view.onCommand(Cmd::ToggleCq);
            station.clock.pumpUntil(std::min(endUs, station.clock.nowUs() + 500'000));
        }
        kib.append(ResidentKiB());
        const int keyed = int(KeyMoments(station.port).size());
        std::printf("soak minute %2d: resident %lld KiB, %d key edges this minute, %lld replies handled so far\n",
                    minute + 1, kib.last(), keyed - keyedBefore, station.counter.replies);
        std::fflush(stdout);
        keyedBefore = keyed;
    }
    peer.terminate();
    peer.waitForFinished();
    const qint64 dropped = dropsBefore >= 0 ? UdpReceiveBufferErrors() - dropsBefore : -1;
    const qint64 most = *std::max_element(kib.begin(), kib.end());
    std::printf("soak: %d minutes, tarvo-peer sent at least %lld replies, %lld dropped by the kernel, %lld handled, "
                "transcript %lld characters; resident after the first minute %lld KiB, at the end %lld KiB (%+lld), "
                "at most %lld KiB\n",
                minutes, FloodedReplies(peer.readAllStandardOutput()), dropped, station.counter.replies,
                qint64(station.view.textArea()->toPlainText().size()), kib.first(), kib.last(),
                kib.last() - kib.first(), most);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Options options;
    const QStringList args = app.arguments();
    const auto number = [&args](const char* name, int fallback) {
        const qsizetype at = args.indexOf(QLatin1String(name));
        return at >= 0 && at + 1 < args.size() ? std::max(0, args[at + 1].toInt()) : fallback;
    };
    options.runs = std::max(1, number("--runs", 1));
    options.count = number("--count", options.count);
    options.perMs = number("--per-ms", 0);
    if (const int minutes = number("--soak-minutes", 0); minutes > 0) {
        soakRun(minutes);
        return 0;
    }

    VirtualClock virtualClock;
    const EngineFactory onVirtualTime = [&virtualClock](SerialPort& port, SidetoneOutput& tone) {
        return std::make_unique<VirtualKeyingEngine>(virtualClock, port, tone);
    };
    std::vector<qint64> nominal = KeyOnce(virtualClock, onVirtualTime, nullptr);
    nominal.pop_back(); // the screen returns later, after its PTT: only the KEY line is compared

    for (int run = 0; run < options.runs; ++run) {
        PrintWakeFloor(346);
        floodRun(options, nominal);
    }
    return 0;
}
