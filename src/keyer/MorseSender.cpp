#include "keyer/MorseSender.h"

#include "keyer/ElementTiming.h"
#include "keyer/KeyingLines.h"
#include "keyer/RemoteLink.h"
#include "keyer/SenderHost.h"
#include "keyer/Sidetone.h"
#include "keyer/TemplateExpander.h"
#include "platform/Clock.h"
#include "platform/KeyState.h"
#include "settings/Settings.h"

#include <algorithm>

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
    // A gap the caller has begun still counts: the first mark waits for its end.
    m_deadlineUs = std::max(m_deadlineUs, m_dev.clock.nowUs());
    m_keyDown = false;
    bool aborted = false;
    for (int i = 0; i < expanded->size() && !aborted; ++i) {
        aborted = keyCharacter(*expanded, i, mode) == Step::Abort;
        if (mode == SendKeyboard)
            break;
    }
    finish(mode);
    return aborted ? 1 : 0;
}

MorseSender::Step MorseSender::keyCharacter(const QString& text, int i, int mode) {
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

    if (text[i] == QLatin1Char(' ')) {
        if (!keyUp())
            return Step::Abort;
        gap(7);
        if (mode == SendCqRepeat && m_settings.CQ_Progress == 1)
            m_host.setTxProgress(m_charCounter);
        return Step::Next;
    }

    const MorseLookup found = m_index.LookupMorse(text[i].unicode());
    if (found.kind == MorseLookup::Kind::Found && keyElements(found.code) == Step::Abort)
        return Step::Abort;
    if (found.kind == MorseLookup::Kind::LowByteOnly && elementChecks() == Step::Abort)
        return Step::Abort;

    if (!keyUp())
        return Step::Abort;
    const bool spaceFollows = i + 1 < text.size() && text[i + 1] == QLatin1Char(' ');
    if (mode != SendKeyboard && !spaceFollows)
        gap(3);
    return Step::Next;
}

MorseSender::Step MorseSender::keyElements(const char16_t* code) {
    for (const char16_t* element = code; *element; ++element) {
        if (elementChecks() == Step::Abort)
            return Step::Abort;
        if (m_settings.SIG != 0 && !switchKey(true))
            return Step::Abort;
        mark(*element == u'.' ? 1 : 3);
        if (!keyUp())
            return Step::Abort;
        if (element[1])
            gap(1);
    }
    return Step::Next;
}

MorseSender::Step MorseSender::elementChecks() {
    if (abortCheck())
        return Step::Abort;
    if (!cqStopKeys() && cqRunning() && m_dev.keys.isKeyDown(Qt::Key_Control) && m_dev.keys.isKeyDown(Qt::Key_0))
        m_host.clearContact();
    return Step::Next;
}

bool MorseSender::keyUp() {
    return m_settings.SIG == 0 || switchKey(false);
}

bool MorseSender::switchKey(bool on) {
    // Lowering a line that is already down changes nothing on the air: the running gap goes on.
    if (on == m_keyDown)
        return m_dev.lines.SetLine(m_settings.SIG, on);
    m_dev.clock.settle(m_deadlineUs);
    const bool ok = m_dev.lines.SetLine(m_settings.SIG, on);
    m_deadlineUs = m_dev.clock.nowUs();
    m_keyDown = on && ok;
    return ok;
}

void MorseSender::mark(int units) {
    if (m_settings.chk_TONE == 1)
        m_dev.sidetone.SidetoneStart(units);
    gap(units);
    m_state.KeyLinePending = false;
}

void MorseSender::gap(int units) {
    const int ms = ElementMs(units, m_settings.WPM, m_settings.RATIO, m_settings.RATIO2);
    if (ms <= 0)
        return;
    m_deadlineUs += qint64(ms) * 1000;
    m_dev.clock.pumpUntil(m_deadlineUs);
}

void MorseSender::KeyMark(int units) {
    m_deadlineUs = std::max(m_deadlineUs, m_dev.clock.nowUs());
    mark(units);
    m_dev.clock.settle(m_deadlineUs);
}

void MorseSender::KeySpace(int units) {
    m_deadlineUs = std::max(m_deadlineUs, m_dev.clock.nowUs());
    gap(units);
    m_dev.clock.settle(m_deadlineUs);
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
    m_dev.link.sendToHost(RemoteHandoffDatagram(m_settings.WPM, expanded));
}

void MorseSender::finish(int mode) {
    if (mode != SendKeyboard)
        m_host.LogText(QStringLiteral("\r\n"));
    // The last gap is part of the message: PTT must not drop before it ends.
    m_dev.clock.settle(m_deadlineUs);
    m_state.sending = false;
    if (mode != SendKeyboard && m_settings.chk_CLOSE == 1)
        m_dev.lines.ClosePort();
    if (mode == SendCqRepeat && (m_settings.CQ_Progress == 1 || m_settings.CQ_Progress == 2))
        m_host.setTxProgress(m_charCounter);
}
