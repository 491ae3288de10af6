#include "keyer/MorseSender.h"

#include "keyer/ElementTiming.h"
#include "keyer/KeyingEngine.h"
#include "keyer/KeyingLines.h"
#include "keyer/RemoteLink.h"
#include "keyer/SenderHost.h"
#include "keyer/TemplateExpander.h"
#include "platform/Clock.h"
#include "platform/KeyState.h"
#include "settings/Settings.h"

#include <algorithm>

namespace {

// How long before an edge the screen makes its checks, so that an abort seen then comes first.
constexpr qint64 kCheckAheadUs = 1000;

} // namespace

MorseSender::MorseSender(Settings& settings, KeyerState& state, SenderHost& host, const Devices& devices)
    : m_settings(settings), m_state(state), m_host(host), m_dev(devices) {}

int MorseSender::SendMorse(const QString& text, int mode) {
    if (mode == SendEchoOnly) {
        m_host.LogText(text);
        return 1;
    }
    if (text.isEmpty())
        return 0;
    if (!m_state.RemoteKeying)
        m_settings.WPM = m_host.wpmBoxIndex() + 10;
    m_state.sending = true;
    const auto expanded = m_dev.expander.ExpandTemplate(text, m_state.tokenSpan);
    if (!expanded) {
        m_state.sending = false;
        return 1;
    }
    if (m_dev.link.isRemoteStation()) {
        handOff(*expanded);
        return 0;
    }
    m_charCounter = 0;
    if (showsProgress(mode)) {
        m_host.setTxProgressRange(int(expanded->size()));
        m_host.setWatchProgress(0);
        m_host.setTxProgress(0);
    }
    const MessagePlan plan =
        PlanMessage(*expanded, mode == SendKeyboard, m_index, {m_settings.WPM, m_settings.RATIO, m_settings.RATIO2});
    bool started = false;
    bool aborted = false;
    // The schedule starts once the first character has been checked and echoed: then the port is
    // open and the first edge is handed over before it is due.
    const auto start = [&] {
        if (started)
            return true;
        started = startKeying(plan);
        return started;
    };
    qint64 stopUs = plan.endUs;
    const auto stopAt = [&](qint64 atUs) {
        aborted = true;
        stopUs = atUs;
        m_dev.engine.cancel();
        // A mark the engine began while the screen was held up ends normally before the return.
        const qint64 elapsedUs = m_dev.clock.nowUs() - m_startUs;
        for (const PlannedMark& mark : plan.marks) {
            if (started && mark.downUs <= elapsedUs)
                stopUs = std::max(stopUs, mark.upUs);
        }
    };
    for (int i = 0; i < int(plan.characters.size()) && !aborted; ++i) {
        const PlannedCharacter& c = plan.characters[i];
        if (i > 0)
            waitBefore(m_startUs + c.beginUs);
        if (m_dev.engine.failed() || characterChecks(*expanded, i, mode) == Step::Abort) {
            stopAt(c.beginUs);
            break;
        }
        if (c.lowByteOnly && elementChecks() == Step::Abort)
            stopAt(c.beginUs);
        for (int m = c.firstMark; m < c.firstMark + c.markCount && !aborted; ++m) {
            if (m > c.firstMark)
                waitBefore(m_startUs + plan.marks[m].downUs);
            if (m_dev.engine.failed() || elementChecks() == Step::Abort)
                stopAt(plan.marks[m].downUs);
            else if (!start())
                stopAt(0);
            else
                m_state.KeyLinePending = false;
        }
        if (!aborted && !start())
            stopAt(0);
        if (!aborted && c.space && mode == SendCqRepeat && m_settings.CQ_Progress == 1)
            m_host.setTxProgress(m_charCounter);
    }
    if (started)
        m_cursorUs = m_startUs + stopUs;
    const bool ok = finish(mode);
    return aborted || !ok ? 1 : 0;
}

MorseSender::Step MorseSender::characterChecks(const QString& text, int i, int mode) {
    if (m_state.RemoteKeying && m_dev.link.PendingLinkBytes() > 0)
        return Step::Abort;
    if (showsProgress(mode)) {
        ++m_charCounter;
        if (m_settings.CQ_Progress == 2)
            m_host.stepTxProgress();
    }
    if (abortCheck())
        return Step::Abort;
    cqStopKeys();
    m_host.LogText(QString(text[i]));
    return Step::Next;
}

MorseSender::Step MorseSender::elementChecks() {
    if (abortCheck())
        return Step::Abort;
    if (!cqStopKeys() && cqRunning() && m_dev.keys.isKeyDown(Qt::Key_Control) && m_dev.keys.isKeyDown(Qt::Key_0))
        m_host.clearContact();
    return Step::Next;
}

bool MorseSender::startKeying(const MessagePlan& plan) {
    const bool keysLine = m_settings.SIG != 0 && !plan.marks.empty();
    if (keysLine && !m_dev.lines.EnsureOpen())
        return false;
    m_startUs = anchor();
    const bool tone = m_settings.chk_TONE == 1;
    for (const PlannedMark& mark : plan.marks) {
        m_dev.engine.schedule(
            {m_startUs + mark.downUs, KeyingEdge::Line::Key, m_settings.SIG, true, tone ? mark.units : 0});
        m_dev.engine.schedule({m_startUs + mark.upUs, KeyingEdge::Line::Key, m_settings.SIG, false, 0});
    }
    return true;
}

qint64 MorseSender::anchor() {
    const qint64 nowUs = m_dev.clock.nowUs();
    const qint64 elementUs = qint64(ElementMs(1, m_settings.WPM, m_settings.RATIO, m_settings.RATIO2)) * 1000;
    // A gap or lead the caller has begun still counts, and a schedule late by less than an element
    // goes on as it was (its first edge comes that much late). One further behind is re-anchored.
    if (m_cursorUs < nowUs - elementUs)
        m_cursorUs = nowUs;
    return m_cursorUs;
}

void MorseSender::waitBefore(qint64 atUs) {
    m_dev.clock.pumpUntil(atUs - kCheckAheadUs);
}

void MorseSender::waitUntil(qint64 atUs) {
    m_dev.clock.pumpUntil(atUs);
    m_dev.clock.settle(atUs);
}

bool MorseSender::RaisePtt() {
    if (m_settings.SIG_STANDBY == 0 || !m_dev.lines.EnsureOpen())
        return false;
    m_pttCode = m_settings.SIG_STANDBY;
    const qint64 atUs = anchor();
    m_dev.engine.schedule({atUs, KeyingEdge::Line::Ptt, m_pttCode, true, 0});
    m_cursorUs = atUs + qint64(m_settings.DELAY) * 10'000;
    waitBefore(m_cursorUs);
    return true;
}

void MorseSender::DropPtt() {
    if (m_pttCode == 0)
        return;
    waitUntil(m_cursorUs);
    // A port closed after the message (chk_CLOSE) has dropped both lines already.
    if (m_dev.lines.isOpen())
        m_dev.engine.schedule({m_cursorUs, KeyingEdge::Line::Ptt, m_pttCode, false, 0});
    m_pttCode = 0;
    m_dev.engine.finishDue();
    if (m_dev.engine.failed()) {
        m_dev.engine.clearFailure();
        m_dev.lines.LinesFailed();
    }
}

void MorseSender::KeyMark(int units) {
    const qint64 atUs = anchor();
    m_cursorUs = atUs + qint64(ElementMs(units, m_settings.WPM, m_settings.RATIO, m_settings.RATIO2)) * 1000;
    if (m_settings.chk_TONE == 1) {
        m_dev.engine.schedule({atUs, KeyingEdge::Line::Key, 0, true, units});
        m_dev.engine.schedule({m_cursorUs, KeyingEdge::Line::Key, 0, false, 0});
    }
    waitUntil(m_cursorUs);
    m_state.KeyLinePending = false;
}

void MorseSender::KeySpace(int units) {
    const qint64 atUs = anchor();
    m_cursorUs = atUs + qint64(ElementMs(units, m_settings.WPM, m_settings.RATIO, m_settings.RATIO2)) * 1000;
    waitUntil(m_cursorUs);
}

bool MorseSender::AbortRequested() const {
    if (m_dev.keys.isKeyDown(Qt::Key_Escape))
        return true;
    if (!m_dev.keys.isLeftButtonDown())
        return false;
    const QRect esc = m_host.escButtonScreenRect();
    return esc.isValid() && esc.contains(m_dev.keys.lastPointerPos());
}

bool MorseSender::abortCheck() {
    if (!AbortRequested())
        return false;
    if (m_host.isCqButtonChecked())
        m_host.setCqButtonChecked(false);
    m_state.cqRepeat = false;
    m_state.tokenSpan = {};
    return true;
}

bool MorseSender::cqRunning() const {
    return m_state.cqRepeatCount >= 1 && m_state.cqRepeat && m_host.isCqButtonChecked();
}

bool MorseSender::cqStopKeys() {
    const auto& keys = m_dev.keys;
    const bool stop = (keys.isKeyDown(Qt::Key_Control) && keys.isKeyDown(Qt::Key_Q)) ||
                      keys.isKeyDown(Qt::Key_Return) || keys.isKeyDown(Qt::Key_Enter);
    if (!stop || !cqRunning())
        return false;
    m_host.setCqButtonChecked(false);
    m_host.CqToggle();
    return true;
}

bool MorseSender::showsProgress(int mode) const {
    return mode == SendCqRepeat && m_settings.CQ_Progress != 0;
}

void MorseSender::handOff(const QString& expanded) {
    if (!m_dev.link.canHandOff()) {
        m_state.sending = false;
        return;
    }
    m_dev.link.startRemoteWait();
    m_dev.link.sendToHost(m_settings.WPM, expanded);
}

bool MorseSender::finish(int mode) {
    if (mode != SendKeyboard) {
        waitBefore(m_cursorUs);
        m_host.LogText(QStringLiteral("\r\n"));
    }
    // The last gap is part of the message: PTT must not drop before it ends.
    waitUntil(m_cursorUs);
    m_dev.engine.finishDue();
    const bool failed = m_dev.engine.failed();
    if (failed) {
        m_dev.engine.clearFailure();
        m_dev.lines.LinesFailed();
    }
    m_state.sending = false;
    if (mode != SendKeyboard && m_settings.chk_CLOSE == 1)
        m_dev.lines.ClosePort();
    if (mode == SendCqRepeat && (m_settings.CQ_Progress == 1 || m_settings.CQ_Progress == 2))
        m_host.setTxProgress(m_charCounter);
    return !failed;
}
