#include "screen/KeyboardKeyer.h"

#include "keyer/KeyingLines.h"
#include "keyer/RemoteLink.h"
#include "platform/Clock.h"
#include "resources/ControlIds.h"
#include "screen/CTarvoFormView.h"
#include "screen/FrameHost.h"
#include "settings/Settings.h"

#include <QAbstractEventDispatcher>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>

void KeyboardKeyer::KeyHandler() {
    if (m_handlerRunning)
        return;
    m_handlerRunning = true;
    auto* box = static_cast<QCheckBox*>(m_view.control(Ctl::Key));
    auto* input = static_cast<QLineEdit*>(m_view.control(Ctl::InputLine));
    if (m_view.link().isRemoteStation()) {
        m_view.keyboardKeyingOff();
    } else {
        closeLine();
        input->end(false);
        input->setFocus();
        m_view.stopCqQuietly();
        m_view.settings().KEY = box->isChecked() ? 1 : 0;
        if (m_view.settings().KEY == 1)
            keyingLoop();
        m_view.AdvanceFocus(Ctl::Key);
    }
    m_handlerRunning = false;
}

void KeyboardKeyer::inputChanged() {
    if (m_view.control(Ctl::InputLine)->hasFocus())
        keyingLoop();
}

void KeyboardKeyer::disableButtons(bool disable) {
    for (int id : Ctl::kTxButtons)
        m_view.control(id)->setEnabled(!disable);
    for (int id : {Ctl::Clear, Ctl::Cq, Ctl::Bank})
        m_view.control(id)->setEnabled(!disable);
    m_view.frame().setCommandBarEnabled(!disable);
    m_controlsDisabled = disable;
}

void KeyboardKeyer::keyingLoop() {
    Settings& s = m_view.settings();
    if (s.KEY != 1 || m_running)
        return;
    m_running = true;
    const TransmissionScope onAir(m_view.state());
    auto* input = static_cast<QLineEdit*>(m_view.control(Ctl::InputLine));
    const bool remote = m_view.link().isRemoteStation();
    bool pttUp = false;
    while (s.KEY == 1 && !input->text().isEmpty()) {
        if (!remote && !pttUp && s.SIG_STANDBY != 0)
            pttUp = m_view.sender().RaisePtt();
        if (!m_controlsDisabled)
            disableButtons(true);
        if (m_view.sender().AbortRequested()) {
            m_view.keyboardKeyingOff();
            break;
        }
        const QChar c = input->text().front();
        input->setUpdatesEnabled(false);
        input->setText(input->text().mid(1));
        input->end(false);
        input->setUpdatesEnabled(true);
        s.KEY_DATA = input->text();
        if (c == QLatin1Char(' ')) {
            m_view.sender().SendMorse(QString(c), SendEchoOnly);
            m_view.sender().KeySpace(7);
        } else {
            m_view.sender().SendMorse(QString(c), SendKeyboard);
            if (!input->text().startsWith(QLatin1Char(' ')))
                m_view.sender().KeySpace(3);
        }
        m_view.state().KeyLinePending = true;
        // Let the operator's typing reach the input line between characters.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    if (pttUp)
        m_view.sender().DropPtt();
    m_running = false;
    if (m_controlsDisabled)
        disableButtons(false);
}

void KeyboardKeyer::closeLine() {
    m_view.state().KeyLinePending = false;
    if (m_view.hasOpenLine())
        m_view.LogText(QStringLiteral("\r\n"));
}
