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
constexpr qint64 kPollUs = 5'000;
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
    m_host.showRunning(true);
    m_host.setBarRange(Bar::Transmit, plan->transmitMs);
    if (plan->watchMs > 0)
        m_host.setBarRange(Bar::Watch, plan->watchMs);
    m_host.setBarRange(Bar::Count, plan->count);
    m_host.setBarText(Bar::Transmit, plan->transmitText);
    m_host.setBarText(Bar::Watch, plan->watchText);
    m_host.setBarText(Bar::Count, VoiceCountText(0, plan->count));
    for (Bar bar : {Bar::Count, Bar::Transmit, Bar::Watch})
        m_host.setBarValue(bar, 0);

    int result = 0;
    int kept = 0;
    for (int counter = 0;;) {
        m_host.setBarText(Bar::Count, VoiceCountText(counter + 1, plan->count));
        m_host.setBarValue(Bar::Count, counter + 1);
        if (!m_dev.player.start(path)) {
            // A call nobody hears is no call: the transmitter stays unkeyed.
            m_host.cannotPlay(QStringLiteral("No device driver is present.   "));
            break;
        }
        if (onIndex > 0) {
            kept = wait(onIndex * 100, Bar::Transmit, false, false);
            if (kept == kEscape)
                break;
        }
        ++counter;
        m_host.showTransmitting(true);
        if (m_settings.SIG_STANDBY != 0) {
            if (!setLine(true, m_settings.SIG_STANDBY, true))
                break;
            m_dev.clock.pumpUntil(m_dev.clock.nowUs() + qint64(m_settings.DELAY) * 10'000);
        }
        if (m_settings.SIG != 0 && !setLine(false, m_settings.SIG, true))
            break;
        if (const int r = wait(plan->transmitMs, Bar::Transmit, false, true); r != 0)
            kept = r;
        if (kept == kEscape)
            break;
        m_dev.player.CloseWave(); // the off cut: the file's last moments are never sent
        m_host.showTransmitting(false);
        if (m_settings.SIG != 0 && !setLine(false, m_settings.SIG, false))
            break;
        if (m_settings.SIG_STANDBY != 0 && !setLine(true, m_settings.SIG_STANDBY, false))
            break;
        m_dev.lines.SetLine(0, false);
        if (counter >= plan->count || kept != 0)
            break;
        if (plan->watchMs > 0) {
            result = wait(plan->watchMs, Bar::Watch, true, true);
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

int VoiceCq::wait(int ms, VoiceCqHost::Bar bar, bool stoppable, bool tracking) {
    const qint64 startUs = m_dev.clock.nowUs();
    const qint64 endUs = startUs + qint64(ms) * 1000;
    int result = 0;
    for (qint64 now = startUs; now < endUs; now = m_dev.clock.nowUs()) {
        if (stopRequested())
            return kEscape;
        if (const int digit = pressedDigit()) {
            result = digit;
            m_host.showEnd(true);
            if (stoppable)
                return digit;
        }
        if (tracking)
            m_host.setBarValue(bar, int((now - startUs) / 1000));
        m_dev.player.poll();
        m_dev.clock.pumpUntil(std::min(endUs, now + kPollUs));
    }
    if (!tracking)
        m_host.setBarValue(bar, ms);
    return result;
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

bool VoiceCq::setLine(bool ptt, int code, bool on) {
    if (on && !m_dev.lines.EnsureOpen())
        return false;
    if (!on && !m_dev.lines.isOpen())
        return true; // closed after every message: its lines are down already
    const KeyingEdge::Line line = ptt ? KeyingEdge::Line::Ptt : KeyingEdge::Line::Key;
    m_dev.engine.schedule({m_dev.clock.nowUs(), line, code, on, 0});
    m_dev.engine.finishDue();
    if (!m_dev.engine.failed())
        return true;
    m_dev.engine.clearFailure();
    m_dev.lines.ClosePort();
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
