#include "voice/VoiceCq.h"

#include "keyer/KeyingEngine.h"
#include "keyer/KeyingLines.h"
#include "platform/Clock.h"
#include "platform/KeyState.h"
#include "settings/Settings.h"
#include "voice/VoicePlan.h"
#include "voice/VoicePlayer.h"

#include <algorithm>

namespace {

constexpr int kEscape = 27;
/// A wait's end when the call's sound stopped because its device went away.
constexpr int kSoundLost = -1;
// Longer than the real clock hands back before a deadline, so that every step of a wait sleeps in
// the event loop, which feeds the key state, instead of spinning.
constexpr qint64 kPollUs = 10'000;
// A sound server may take a second or two to start a new stream.
constexpr qint64 kStartLimitUs = 5'000'000;
constexpr int kDigits = 6;

} // namespace

VoiceCq::VoiceCq(Settings& settings, VoiceCqHost& host, const Devices& devices)
    : m_settings(settings), m_host(host), m_dev(devices) {}

void VoiceCq::run(const QString& path, int durationMs, int onIndex, int offIndex, bool repeat) {
    using Bar = VoiceCqHost::Bar;
    const std::optional<VoicePlan> plan =
        PlanVoiceCq(durationMs, onIndex, offIndex, m_settings.CQ_Sec, m_settings.CQ_Limit, repeat);
    if (!plan || m_running)
        return;
    m_running = true;
    m_heldSinceStart = 0;
    for (int i = 0; i < kDigits; ++i) {
        if (m_dev.keys.isKeyDown(Qt::Key_1 + i))
            m_heldSinceStart |= 1u << i;
    }
    showPlan(*plan);

    int result = 0;
    int kept = 0;
    for (int counter = 0;;) {
        m_host.setBarText(Bar::Count, VoiceCountText(counter + 1, plan->count));
        m_host.setBarValue(Bar::Count, counter + 1);
        if (!call(path, *plan, onIndex, counter, kept) || counter >= plan->count || kept != 0)
            break;
        if (plan->watchMs > 0) {
            result = wait(m_dev.clock.nowUs(), plan->watchMs, Bar::Watch, true, true);
            m_host.setBarValue(Bar::Watch, 0);
            if (result != 0)
                break;
        }
    }
    m_dev.lines.SetLine(0, false);
    m_host.showTransmitting(false);
    m_dev.player.CloseWave();
    releaseKeys(result != 0 ? result : kept);
    m_host.showRunning(false);
    m_running = false;
    m_host.showEnd(false);
}

void VoiceCq::showPlan(const VoicePlan& plan) {
    using Bar = VoiceCqHost::Bar;
    m_host.showRunning(true);
    m_host.setBarRange(Bar::Transmit, plan.transmitMs);
    if (plan.watchMs > 0)
        m_host.setBarRange(Bar::Watch, plan.watchMs);
    m_host.setBarRange(Bar::Count, plan.count);
    m_host.setBarText(Bar::Transmit, plan.transmitText);
    m_host.setBarText(Bar::Watch, plan.watchText);
    m_host.setBarText(Bar::Count, VoiceCountText(0, plan.count));
    for (Bar bar : {Bar::Count, Bar::Transmit, Bar::Watch})
        m_host.setBarValue(bar, 0);
}

bool VoiceCq::call(const QString& path, const VoicePlan& plan, int onIndex, int& counter, int& kept) {
    if (!m_dev.player.start(path)) {
        // A call nobody hears is no call: the transmitter stays unkeyed.
        m_host.cannotPlay(QStringLiteral("No device driver is present.   "));
        return false;
    }
    // The call's times count from its first sample: a stream that starts late neither goes on the
    // air as silence nor loses its end.
    const std::optional<qint64> soundedUs = awaitSound(kept);
    if (!soundedUs) {
        if (kept != kEscape)
            m_host.cannotPlay(QStringLiteral("The audio output did not start playing.   "));
        return false;
    }
    if (onIndex > 0 && !waitInCall(*soundedUs, onIndex * 100, false, kept))
        return false;
    ++counter;
    m_host.showTransmitting(true);
    const std::optional<qint64> keyedUs = keyOn();
    if (!keyedUs)
        return false;
    if (!waitInCall(*keyedUs, plan.transmitMs, true, kept))
        return false;
    scheduleOff(*keyedUs + qint64(plan.transmitMs) * 1000);
    m_dev.player.CloseWave(); // the off cut: the file's last moments are never sent
    m_host.showTransmitting(false);
    if (!finishLines())
        return false;
    m_dev.lines.SetLine(0, false);
    return true;
}

bool VoiceCq::waitInCall(qint64 fromUs, int ms, bool tracking, int& kept) {
    const int r = wait(fromUs, ms, VoiceCqHost::Bar::Transmit, false, tracking);
    if (r == kSoundLost) {
        // Dead air is no call: the lines drop at once.
        m_host.cannotPlay(QStringLiteral("The audio output stopped playing.   "));
        return false;
    }
    if (r != 0)
        kept = r;
    return kept != kEscape;
}

int VoiceCq::wait(qint64 fromUs, int ms, VoiceCqHost::Bar bar, bool stoppable, bool tracking) {
    const qint64 endUs = fromUs + qint64(ms) * 1000;
    int result = 0;
    for (qint64 now = m_dev.clock.nowUs(); now < endUs; now = m_dev.clock.nowUs()) {
        if (stopRequested())
            return kEscape;
        if (const int digit = pressedDigit()) {
            result = digit;
            m_host.showEnd(true);
            if (stoppable)
                return digit;
        }
        if (tracking)
            m_host.setBarValue(bar, int((now - fromUs) / 1000));
        m_dev.player.poll();
        if (m_dev.player.lost())
            return kSoundLost;
        const qint64 stepUs = std::min(endUs, now + kPollUs);
        m_dev.clock.pumpUntil(stepUs);
        if (stepUs == endUs)
            m_dev.clock.settle(endUs); // the real clock hands back early, to end on time
    }
    if (!tracking)
        m_host.setBarValue(bar, ms);
    return result;
}

std::optional<qint64> VoiceCq::awaitSound(int& kept) {
    const qint64 limitUs = m_dev.clock.nowUs() + kStartLimitUs;
    for (;;) {
        const qint64 now = m_dev.clock.nowUs();
        if (const qint64 sinceUs = m_dev.player.soundingForUs(); sinceUs >= 0)
            return now - sinceUs;
        if (stopRequested()) {
            kept = kEscape;
            return std::nullopt;
        }
        if (const int digit = pressedDigit()) {
            kept = digit;
            m_host.showEnd(true);
        }
        if (now >= limitUs)
            return std::nullopt;
        m_dev.clock.pumpUntil(std::min(limitUs, now + kPollUs));
    }
}

int VoiceCq::pressedDigit() {
    for (int i = 0; i < kDigits; ++i) {
        if (!m_dev.keys.isKeyDown(Qt::Key_1 + i))
            m_heldSinceStart &= ~(1u << i);
    }
    if (!m_dev.keys.isKeyDown(Qt::Key_Control))
        return 0;
    for (int i = 0; i < kDigits; ++i) {
        if (m_dev.keys.isKeyDown(Qt::Key_1 + i) && !(m_heldSinceStart & (1u << i)))
            return '1' + i;
    }
    return 0;
}

bool VoiceCq::stopRequested() const {
    if (m_dev.keys.isKeyDown(Qt::Key_Escape))
        return true;
    return m_dev.keys.isLeftButtonDown() && m_host.stopIconScreenRect().contains(m_dev.keys.lastPointerPos());
}

std::optional<qint64> VoiceCq::keyOn() {
    const int ptt = m_settings.SIG_STANDBY;
    const int key = m_settings.SIG;
    if ((ptt != 0 || key != 0) && !m_dev.lines.EnsureOpen())
        return std::nullopt;
    qint64 atUs = m_dev.clock.nowUs();
    if (ptt != 0) {
        m_dev.engine.schedule({atUs, KeyingEdge::Line::Ptt, ptt, true, 0});
        atUs += qint64(m_settings.DELAY) * 10'000;
    }
    if (key != 0)
        m_dev.engine.schedule({atUs, KeyingEdge::Line::Key, key, true, 0});
    m_dev.clock.pumpUntil(atUs);
    m_dev.clock.settle(atUs);
    if (!finishLines())
        return std::nullopt;
    return atUs;
}

void VoiceCq::scheduleOff(qint64 atUs) {
    if (!m_dev.lines.isOpen())
        return; // closed after every message: its lines are down already
    if (m_settings.SIG != 0)
        m_dev.engine.schedule({atUs, KeyingEdge::Line::Key, m_settings.SIG, false, 0});
    if (m_settings.SIG_STANDBY != 0)
        m_dev.engine.schedule({atUs, KeyingEdge::Line::Ptt, m_settings.SIG_STANDBY, false, 0});
}

bool VoiceCq::finishLines() {
    m_dev.engine.finishDue();
    if (!m_dev.engine.failed())
        return true;
    m_dev.engine.clearFailure();
    m_dev.lines.LinesFailed();
    return false;
}

void VoiceCq::releaseKeys(int result) {
    // The dialog stays disabled until the key that stopped it is up, so it does not act again.
    const auto held = [this, result] {
        if (result == kEscape)
            return stopRequested();
        return result >= '1' && result < '1' + kDigits && m_dev.keys.isKeyDown(Qt::Key_1 + (result - '1'));
    };
    while (held())
        m_dev.clock.pumpUntil(m_dev.clock.nowUs() + kPollUs);
}
