// The operating screen's link wiring: its commands, the RcvCW keys and the wheel.
#include "screen/CTarvoFormView.h"

#include "resources/Accel128.h"
#include "resources/ControlIds.h"
#include "resources/Menu128.h"
#include "screen/FrequencyMath.h"
#include "screen/LinkScreen.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QWheelEvent>

namespace {

constexpr Qt::KeyboardModifiers kAnyModifier = Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier;

} // namespace

void CTarvoFormView::linkCommand(int command) {
    const LinkEnabling on = m_link->enabling();
    switch (command) {
    case Cmd::Jst:
        if (on.send)
            m_link->sendCommand(LinkCommand::TIMEJ);
        return;
    case Cmd::Utc:
        if (on.send)
            m_link->sendCommand(LinkCommand::TIMEU);
        return;
    case Cmd::RcvCwFore:
        if (on.send)
            m_link->sendCommand(LinkCommand::RCVCW);
        return;
    case Cmd::SetClear:
        if (on.send && m_settings.Send_CLSYNC)
            ClearCommand();
        else if (on.send)
            m_link->ClearRequests();
        return;
    case Cmd::SetSave:
        if (on.send)
            m_link->SaveRequests();
        return;
    case Cmd::RequestAgain:
        if (on.exchange)
            m_link->SendLinkRequest(GetStringMessage(m_settings.Recv_STRINGS));
        return;
    case Cmd::RequestFreq:
        if (on.exchange)
            m_link->sendCommand(LinkCommand::FREQ);
        return;
    case Cmd::OpenView:
        m_link->openView();
        return;
    case Cmd::SetRigFreq:
        m_link->frequency().resend();
        return;
    case Cmd::FreqUp:
    case Cmd::FreqDown:
        m_link->frequency().fixedStep(command == Cmd::FreqUp);
        return;
    case Cmd::StepRangeUp:
        if (on.exchange)
            m_settings.STEP = StepRangeUp(m_settings.STEP);
        return;
    case Cmd::StepRangeDown:
        if (on.exchange)
            m_settings.STEP = StepRangeDown(m_settings.STEP);
        return;
    default:
        if (on.exchange && command >= Cmd::RequestString1 && command < Cmd::RequestString1 + 13)
            m_link->SendLinkRequest(GetStringMessage(command - Cmd::RequestString1 + 1));
        return;
    }
}

bool CTarvoFormView::linkKey(QKeyEvent* event) {
    if (remoteWaiting() && m_sender.AbortRequested())
        m_link->remoteWait().SendRemoteEscape();
    const int id = controlId(focusedControl());
    const bool onRcvCw = id == Ctl::RcvCw || id == Ctl::StringChannel || id == Ctl::Request;
    if (!box(Ctl::RcvCw)->isChecked() || !onRcvCw || (event->modifiers() & kAnyModifier))
        return false;
    if (m_link->polling().shortcutKey(event->key()))
        return true;
    // The RcvCW controls keep the focus while polling; Shift+Tab still leaves them.
    const int key = event->key();
    return key == Qt::Key_Tab || key == Qt::Key_Left || key == Qt::Key_Right;
}

bool CTarvoFormView::frequencyKey(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool upOrDown = key->key() == Qt::Key_Up || key->key() == Qt::Key_Down;
    const Qt::KeyboardModifiers mods = key->modifiers() & kAnyModifier;
    if (watched == control(Ctl::Freq) && upOrDown && mods == Qt::NoModifier && event->type() == QEvent::KeyPress)
        return m_link->frequency().digitStep(*edit(Ctl::Freq), key->key() == Qt::Key_Up);
    const bool chord = upOrDown || key->key() == Qt::Key_N || key->key() == Qt::Key_M;
    if (watched != control(Ctl::Mode) || !chord || mods != (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    // The list would step its selection; the chord belongs to the accelerators.
    event->ignore();
    return true;
}

void CTarvoFormView::wheelEvent(QWheelEvent* event) {
    if (!linkWheel(event))
        QWidget::wheelEvent(event);
}

bool CTarvoFormView::linkWheel(QWheelEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods.testFlag(Qt::ControlModifier) && mods.testFlag(Qt::ShiftModifier)) {
        // Turned towards the operator: the V button.
        if (event->angleDelta().y() < 0 && button(Ctl::View)->isEnabled())
            QMetaObject::invokeMethod(button(Ctl::View), &QPushButton::click, Qt::QueuedConnection);
        return true;
    }
    if (m_link->frequency().wheel(QApplication::focusWidget(), *event))
        return true;
    QWidget* focused = focusedControl();
    const int id = controlId(focused);
    const bool onChannel = id == Ctl::RcvCw || id == Ctl::StringChannel || id == Ctl::Mode ||
                           (focused && control(Ctl::Mode)->isAncestorOf(focused));
    if (!box(Ctl::RcvCw)->isChecked() || !onChannel)
        return false;
    const int delta = event->angleDelta().y();
    if (delta != 0)
        m_link->polling().step(delta > 0 ? 1 : -1);
    return true;
}
