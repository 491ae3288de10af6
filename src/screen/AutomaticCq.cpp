#include "screen/AutomaticCq.h"

#include "keyer/KeyerState.h"
#include "keyer/MorseSender.h"
#include "platform/Clock.h"
#include "platform/KeyState.h"
#include "resources/ControlIds.h"
#include "screen/CqHost.h"
#include "screen/FocusTable.h"
#include "settings/Settings.h"

namespace {

constexpr char kTypeAheadKeys[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890";
constexpr int kCqOffEntry = 58; // "59.  Off": the CQ box while unchecked

} // namespace

AutomaticCq::AutomaticCq(CqHost& view) : m_view(view), m_timer(view.clock().createTimer([this] { CqTick(); })) {}

void AutomaticCq::CqToggle() {
    if (m_firstGuard)
        return;
    m_firstGuard = true;
    if (m_view.remoteWaiting()) {
        m_view.keyboardKeyingOff();
        m_view.state().cqRepeat = false;
        m_view.setCqButtonChecked(false);
        m_firstGuard = false;
        return;
    }
    m_firstGuard = false;
    if (m_secondGuard)
        return;
    m_secondGuard = true;
    // Only a keyboard line is ended here: a CQ message stopped while it is keyed keeps its line whole.
    if (m_view.state().KeyLinePending)
        m_view.closeKeyboardLine();
    if (m_view.isCqButtonChecked())
        start();
    else
        stop();
    m_typeAhead = false;
    m_secondGuard = false;
}

void AutomaticCq::stop() {
    m_timer->stop();
    m_view.enableOperating(true);
    m_view.state().cqRepeat = false;
    if (m_view.state().tokenSpan.isEmpty())
        m_view.focusCqBox();
    else if (!m_focusHold)
        m_view.AdvanceFocus(Ctl::Cq);
    m_focusHold = false;
}

void AutomaticCq::start() {
    m_focusHold = false;
    m_view.enableOperating(false);
    m_view.state().cqRepeat = true;
    m_view.AdvanceFocus(Ctl::Cq);
    m_watchMs = m_view.settings().CQ_Sec * 1000;
    m_view.state().cqRepeatCount = 0;
    if (!m_timer->isActive())
        m_timer->start(100);
}

bool AutomaticCq::stopKeysDown() const {
    const KeyState& keys = m_view.keys();
    return (keys.isKeyDown(Qt::Key_Control) && keys.isKeyDown(Qt::Key_Q)) || keys.isKeyDown(Qt::Key_Return) ||
           keys.isKeyDown(Qt::Key_Enter);
}

void AutomaticCq::CqTick() {
    KeyerState& state = m_view.state();
    const Settings& s = m_view.settings();
    // The key that started the run may still be down.
    if (state.cqRepeatCount == 0 && stopKeysDown())
        return;
    if (!state.cqRepeat || state.sending) {
        m_watchMs = 0;
        return;
    }
    if (m_view.AbortRequested() || (state.cqRepeatCount >= 1 && stopKeysDown())) {
        m_view.setCqButtonChecked(false);
        CqToggle();
        return;
    }
    if (typeAheadInto())
        return;
    m_watchMs += 100;
    if (s.CQ_Progress != 0)
        m_view.showCqProgress(true);
    if (m_watchMs < s.CQ_Sec * 1000) {
        if (s.CQ_Progress != 0)
            m_view.setCqProgress(Ctl::WatchProgress, m_watchMs);
        return;
    }
    m_watchMs = 0;
    sendCq();
}

/// A call typed while the CQ box has the focus goes into the field that follows it.
bool AutomaticCq::typeAheadInto() {
    if (!m_view.cqBoxHasFocus())
        return false;
    const int target = FocusRows()[m_view.settings().focusTarget[kCqOffEntry]].control;
    if (target < Ctl::Call || target > Ctl::M2)
        return false;
    for (const char* k = kTypeAheadKeys; *k; ++k) {
        if (!m_view.keys().isKeyDown(*k))
            continue;
        m_view.setFieldText(target - Ctl::Call, QString(QLatin1Char(*k)));
        m_typeAhead = true;
        m_view.setCqButtonChecked(false);
        CqToggle();
        return true;
    }
    return false;
}

void AutomaticCq::sendCq() {
    KeyerState& state = m_view.state();
    Settings& s = m_view.settings();
    const int index = s.CQ_Sel >= 1 && s.CQ_Sel <= 16 ? s.CQ_Sel - 1 : 15;
    const QString text = s.TX[index];
    if (!text.isEmpty()) {
        if (s.CQ_Progress != 0) {
            if (state.cqRepeatCount == 0)
                m_view.resetCqProgress();
            else
                m_view.setCqProgress(Ctl::WatchProgress, s.CQ_Sec * 1000);
        }
        ++state.cqRepeatCount;
        if (s.CQ_Progress != 0)
            m_view.setCqProgress(Ctl::CountProgress, state.cqRepeatCount);
        m_view.enableButtons(false);
        const int result = m_view.sendCqMessage(text);
        // The timer does not tick inside its own handler: restart its period so that the watch
        // time counts from the end of the message, not from a tick overdue since its start.
        if (m_timer->isActive())
            m_timer->start(100);
        if (result == 1)
            m_view.CqStoppedEarly(state.tokenSpan);
    }
    if (state.cqRepeat && !text.isEmpty() && state.cqRepeatCount < s.CQ_Limit) {
        if (!m_view.isRemoteStation())
            m_view.enableButtons(true);
        return;
    }
    m_view.setCqButtonChecked(false);
    CqToggle();
    if (s.CQ_Progress != 0)
        m_view.showCqProgress(false);
}
