#include "screen/LinkScreen.h"

#include "keyer/KeyerState.h"
#include "link/HamlogRecord.h"
#include "link/StationLink.h"
#include "link/ViewDialog.h"
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
    LinkEnabling on = LinkEnablingOf(m_view.settings(), m_link.running());
    on.frequency = on.exchange && m_frequency.shown();
    return on;
}

void LinkScreen::logData(const QString& block) {
    m_frequency.clearPending();
    const HamlogBlock hamlog = BuildHamlogRecord(block);
    for (const QString& line : hamlog.frequencies)
        m_frequency.showFrequency(line);
    for (const QString& line : hamlog.modes)
        m_frequency.showMode(line);
    m_hamlogRecord = hamlog.record;
    // For the operator to copy into the logging program; the CSV log does not take it.
    m_view.AppendMonitorText(hamlog.record + QStringLiteral("\r\n"));
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

void LinkScreen::openView() {
    if (m_viewDialog || !enabling().exchange)
        return;
    ViewDialog dialog(*this, m_view.clock(), m_view.settings().viewFocusFreq, m_view.window());
    m_viewDialog = &dialog;
    dialog.exec();
    m_viewDialog = nullptr;
    if (const auto field = dialog.exitField())
        m_view.AdvanceFocus(Ctl::kFields[*field]);
}

void LinkScreen::showViewString(int string, const QString& pitch, const QString& text) {
    if (m_viewDialog)
        m_viewDialog->showString(string, pitch, text);
}

void LinkScreen::setViewItems(const QStringList& records) {
    if (m_viewDialog)
        m_viewDialog->setItems(records);
}

Settings& LinkScreen::viewSettings() {
    return m_view.settings();
}

QString LinkScreen::frequencyText() const {
    return static_cast<QLineEdit*>(m_view.control(Ctl::Freq))->text();
}

std::pair<int, int> LinkScreen::frequencySelection() const {
    const auto* frequency = static_cast<QLineEdit*>(m_view.control(Ctl::Freq));
    if (!frequency->hasSelectedText())
        return {frequency->cursorPosition(), 0};
    return {frequency->selectionStart(), int(frequency->selectedText().size())};
}

void LinkScreen::takeFrequency(const QString& text) {
    static_cast<QLineEdit*>(m_view.control(Ctl::Freq))->setText(text);
    m_frequency.enterPressed();
}

bool LinkScreen::bankSwitched() const {
    return static_cast<QCheckBox*>(m_view.control(Ctl::Bank))->isChecked();
}

void LinkScreen::pickedIntoField(ContactField field, const QString& text) {
    m_view.putField(field, text);
    sendField(field);
}

void LinkScreen::screenCommand(int command) {
    m_view.onCommand(command);
}

bool LinkScreen::sending() const {
    return m_view.state().sending;
}
