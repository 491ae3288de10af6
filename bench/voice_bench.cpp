// Calls CQ by voice on a real audio output and prints, over the calls, how long after the PTT rise
// each call's first sample left the speaker (the moment its buffer was queued, plus the time it
// waited until the stream took its first frame, plus the stream's output latency), and how far the
// KEY span drifted from the file's duration.
//
//   voice_bench [--device N] [--calls N] [--ms N] [--srate HZ]
//
// The voice CQ keys PTT on RTS with a 50 ms lead and KEY on DTR through the keying engine's thread,
// on the real clock, with a one-second watch pause between calls. Without a sound card, run it
// against a PulseAudio null sink (see README, Benchmarks).

#include "BenchOptions.h"
#include "keyer/KeyingLines.h"
#include "keyer/SidetoneGenerator.h"
#include "keyer/ThreadKeyingEngine.h"
#include "platform/EventLoopClock.h"
#include "platform/KeyState.h"
#include "platform/MessageBoxes.h"
#include "platform/PortAudioOut.h"
#include "platform/RecordingAudioOut.h"
#include "platform/RecordingSerialPort.h"
#include "settings/Settings.h"
#include "voice/VoiceCq.h"
#include "voice/VoicePlayer.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

QByteArray le16(quint16 v) {
    return QByteArray(1, char(v & 0xFF)) + QByteArray(1, char(v >> 8));
}
QByteArray le32(quint32 v) {
    return le16(quint16(v & 0xFFFF)) + le16(quint16(v >> 16));
}

/// A 16-bit mono PCM file of a 600 Hz tone, ms long.
QByteArray toneWave(int rate, int ms) {
    QByteArray samples;
    const qint64 count = qint64(rate) * ms / 1000;
    for (qint64 i = 0; i < count; ++i)
        samples += le16(quint16(qint16(8000 * std::sin(2 * M_PI * 600 * double(i) / rate))));
    const QByteArray body = "WAVEfmt " + le32(16) + le16(1) + le16(1) + le32(quint32(rate)) + le32(quint32(rate) * 2) +
                            le16(2) + le16(16) + "data" + le32(quint32(samples.size())) + samples;
    return "RIFF" + le32(quint32(body.size())) + body;
}

/// The real output, noting when each buffer was queued and the wait the stream last reported then.
class TimedOut : public AudioOut {
public:
    TimedOut(PortAudioOut& out, Clock& clock) : m_out(out), m_clock(clock) {}
    bool open(int device, int rate) override { return m_out.open(device, rate); }
    OpenError lastOpenError() const override { return m_out.lastOpenError(); }
    bool drained() const override { return m_out.drained(); }
    qint64 soundingForUs() const override { return m_out.soundingForUs(); }
    bool isOpen() const override { return m_out.isOpen(); }
    bool failed() const override { return m_out.failed(); }
    void queue(const qint16* frames, int count) override {
        queuedAtUs = m_clock.nowUs();
        waitBefore = m_out.lastQueueWaitSeconds();
        m_out.queue(frames, count);
    }
    void reset() override { m_out.reset(); }
    void close() override { m_out.close(); }

    qint64 queuedAtUs = 0;
    double waitBefore = -1;

private:
    PortAudioOut& m_out;
    Clock& m_clock;
};

/// Notes, for each call, when its first sample left the speaker.
class BenchHost : public VoiceCqHost {
public:
    BenchHost(PortAudioOut& out, TimedOut& timed) : m_out(out), m_timed(timed) {}
    void showRunning(bool) override {}
    void showTransmitting(bool on) override {
        if (on)
            firstSampleUs.push_back(-1);
    }
    void showEnd(bool) override {}
    void setBarText(Bar, const QString&) override {}
    void setBarRange(Bar, int) override {}
    void setBarValue(Bar bar, int) override {
        if (bar != Bar::Transmit || firstSampleUs.empty() || firstSampleUs.back() >= 0 || !m_out.isOpen())
            return;
        const double wait = m_out.lastQueueWaitSeconds();
        latencySeconds = m_out.outputLatencySeconds();
        if (wait == m_timed.waitBefore)
            return;
        firstSampleUs.back() = m_timed.queuedAtUs + qint64((wait + latencySeconds) * 1e6);
        startMs.push_back((firstSampleUs.back() - m_timed.queuedAtUs) / 1000.0);
    }
    QRect stopIconScreenRect() const override { return {}; }
    void cannotPlay(const QString& message) override { std::fprintf(stderr, "voice_bench: %s\n", qPrintable(message)); }

    std::vector<qint64> firstSampleUs;
    std::vector<double> startMs; ///< from the queueing of a call's samples to its first sample sounding
    double latencySeconds = 0;

private:
    PortAudioOut& m_out;
    TimedOut& m_timed;
};

std::vector<qint64> edges(const RecordingSerialPort& port, RecordingSerialPort::Line line, bool on) {
    std::vector<qint64> out;
    bool level = false;
    for (const auto& c : port.changes()) {
        if (c.line != line || c.on == level)
            continue;
        level = c.on;
        if (c.on == on)
            out.push_back(c.atUs);
    }
    return out;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int device = option(argc, argv, "--device", -1);
    const int calls = std::clamp(option(argc, argv, "--calls", 10), 1, 99);
    const int ms = std::clamp(option(argc, argv, "--ms", 2000), 200, 60000);
    const int rate = option(argc, argv, "--srate", 44100);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cq.wav"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toneWave(rate, ms)) < 0)
        return 1;
    file.close();

    Settings settings;
    settings.SIG = 1;
    settings.SIG_STANDBY = 2;
    settings.DELAY = 5;
    settings.CQ_Sec = 1;
    settings.CQ_Limit = calls;
    EventLoopClock clock;
    ManualKeyState keys;
    RecordingSerialPort port(clock);
    RecordingMessageBoxes boxes;
    KeyingLines lines(port, settings, boxes);
    RecordingAudioOut silent;
    SidetoneGenerator sidetone(silent, settings, ToneShape{}, -1);
    ThreadKeyingEngine engine(clock, port, sidetone);
    PortAudioOut out;
    TimedOut timed(out, clock);
    VoicePlayer player(timed, device);
    BenchHost host(out, timed);
    VoiceCq cq(settings, host, {clock, keys, lines, engine, player});
    cq.run(path, ms, 0, 0, true);

    const auto pttRises = edges(port, RecordingSerialPort::Line::Rts, true);
    const auto keyRises = edges(port, RecordingSerialPort::Line::Dtr, true);
    const auto keyFalls = edges(port, RecordingSerialPort::Line::Dtr, false);
    if (int(host.firstSampleUs.size()) != calls || int(pttRises.size()) != calls || int(keyFalls.size()) != calls) {
        std::fprintf(stderr, "voice_bench: %zu of %d calls keyed and played\n", host.firstSampleUs.size(), calls);
        return 1;
    }
    std::vector<double> toSound;
    std::vector<double> drift;
    int silentCalls = 0;
    for (int i = 0; i < calls; ++i) {
        if (host.firstSampleUs[i] < 0)
            ++silentCalls;
        else
            toSound.push_back((host.firstSampleUs[i] - pttRises[i]) / 1000.0);
        drift.push_back((keyFalls[i] - keyRises[i]) / 1000.0 - ms);
        std::printf("call %2d: PTT rise to first sample %8.2f ms, KEY span - file %+7.3f ms\n", i + 1,
                    host.firstSampleUs[i] < 0 ? NAN : toSound.back(), drift.back());
    }
    double total = 0;
    double worst = 0;
    for (double d : drift) {
        total += d;
        worst = std::max(worst, std::abs(d));
    }
    const auto most = [](const std::vector<double>& v) {
        return v.empty() ? NAN : *std::max_element(v.begin(), v.end());
    };
    std::printf("voice %d ms at %d Hz, device %d, %d calls: stream start median %.1f ms, max %.1f ms; PTT rise to "
                "first sample median %.2f ms, max %.2f ms (%d never sounded during the call); KEY span - file mean "
                "%+.3f ms, max |%.3f| ms, over all calls %+.3f ms; output latency %.2f ms\n",
                ms, rate, device, calls, host.startMs.empty() ? NAN : median(host.startMs), most(host.startMs),
                toSound.empty() ? NAN : median(toSound), most(toSound), silentCalls, total / calls, worst, total,
                host.latencySeconds * 1000);
    return silentCalls == 0 ? 0 : 1;
}
