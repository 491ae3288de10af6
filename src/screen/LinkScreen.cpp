#include "screen/LinkScreen.h"

#include "keyer/KeyerState.h"
#include "link/StationLink.h"
#include "platform/KeyState.h"
#include "resources/ControlIds.h"
#include "screen/CTarvoFormView.h"
#include "screen/FrameHost.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

LinkScreen::LinkScreen(CTarvoFormView& view, StationLink& link)
    : m_view(view), m_link(link), m_wait(view, link), m_polling(view, *this), m_liveLine(*view.textArea()) {
    m_link.setHost(this);
}

LinkScreen::~LinkScreen() {
    m_link.setHost(nullptr);
}

void LinkScreen::StartStopLink(bool start) {
    QWidget* keyBox = m_view.control(Ctl::Key);
    if (m_link.isRemoteStation()) {
        m_view.keyboardKeyingOff();
        keyBox->setEnabled(false);
    } else {
        keyBox->setEnabled(true);
    }
    if (start)
        m_link.start();
    else
        m_link.stop();
    m_view.refreshLinkControls();
}

LinkEnabling LinkScreen::enabling() const {
    return LinkEnablingOf(m_view.settings(), m_link.running());
}

void LinkScreen::SendLinkRequest(const QByteArray& request) {
    m_link.SendLinkRequest(request);
}

void LinkScreen::sendField(ContactField field) {
    const QString text = static_cast<QLineEdit*>(m_view.control(Ctl::kFields[field]))->text();
    if (const auto message = FieldMessage(field, text, m_view.settings()))
        SendLinkRequest(*message);
}

void LinkScreen::SaveRequests() {
    for (const QByteArray& request : ::SaveRequests(m_view.settings()))
        SendLinkRequest(request);
    Settings& s = m_view.settings();
    if (s.his[FieldCALL].trimmed().isEmpty())
        return;
    for (int field = 0; field < kContactFields; ++field) {
        if (s.chk[field] == 1)
            m_view.putField(field, s.init[field]);
    }
}

void LinkScreen::ClearRequests() {
    if (m_view.settings().Send_SAVECL)
        SaveRequests();
    sendCommand(LinkCommand::CLR);
}

bool LinkScreen::mainWindowVisible() const {
    const QWidget* frame = m_view.window();
    return frame->isVisible() && !frame->isMinimized();
}

bool LinkScreen::frameInFront() const {
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return false;
    // Only the frame's own dialogs and tool windows count; another program's window in front
    // leaves an unattended host idle.
    const QWidget* frame = m_view.window();
    for (const QWidget* w = QApplication::activeWindow(); w; w = w->parentWidget()) {
        if (w == frame)
            return w == QApplication::activeWindow();
    }
    return true;
}

bool LinkScreen::idleForRemote() const {
    const KeyerState& state = m_view.state();
    const auto* keyBox = static_cast<const QCheckBox*>(m_view.control(Ctl::Key));
    const bool controls = keyBox->isEnabled() && !keyBox->isChecked() && m_view.control(Ctl::InputLine)->isEnabled() &&
                          m_view.isEnabled() && m_view.control(Ctl::Msg1)->isEnabled() &&
                          m_view.control(Ctl::Tx1)->isEnabled();
    const bool keying =
        !state.cqRepeat && !m_view.cqTimerActive() && !state.onAir() && !state.RemoteKeying && !m_view.keyboardLocked();
    return controls && keying && frameInFront() && m_view.window()->isEnabled();
}

void LinkScreen::setField(ContactField field, const QString& text) {
    m_view.putField(field, text);
}

void LinkScreen::bringToFront() {
    QWidget* frame = m_view.window();
    if (frame->isMinimized())
        frame->showNormal();
    frame->raise();
    frame->activateWindow();
}

void LinkScreen::clearContact() {
    m_view.ClearCommand();
}

void LinkScreen::setRcvCwCaption(const QString& caption) {
    static_cast<QCheckBox*>(m_view.control(Ctl::RcvCw))->setText(caption);
}

void LinkScreen::LogText(const QString& text) {
    m_view.LogText(text);
}

void LinkScreen::updateLiveLine(const QString& text) {
    const QPlainTextEdit* area = m_view.textArea();
    const KeyState& keys = m_view.keys();
    const QRect inside(area->mapToGlobal(QPoint(0, 0)), area->size());
    const bool selecting = keys.isLeftButtonDown() && inside.contains(keys.lastPointerPos());
    m_liveLine.update(text, selecting, [this](const QString& line) { m_view.AppendMonitorText(line); });
}

void LinkScreen::keyRemoteText(int wpm, const QString& text) {
    auto* line = static_cast<QLineEdit*>(m_view.control(Ctl::InputLine));
    line->setText(text);
    line->selectAll();
    line->setFocus();
    Settings& s = m_view.settings();
    const int saved = s.WPM;
    s.WPM = wpm;
    // The tones are one element long: at another speed they must be built for it.
    if (wpm != saved)
        m_view.rebuildSidetone();
    m_view.state().RemoteKeying = true;
    m_view.sendSelectionOf(line);
    m_view.state().RemoteKeying = false;
    s.WPM = saved;
    if (wpm != saved)
        m_view.rebuildSidetone();
}

void LinkScreen::sendToPeer(LinkPeer peer, const QByteArray& datagram) {
    m_link.sendToPeer(peer, datagram);
}
