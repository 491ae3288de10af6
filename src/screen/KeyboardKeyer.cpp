#include "screen/KeyboardKeyer.h"

#include "keyer/KeyerState.h"
#include "keyer/MorseSender.h"
#include "resources/ControlIds.h"
#include "screen/KeyboardHost.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QLineEdit>

void KeyboardKeyer::KeyHandler() {
    if (m_handlerRunning)
        return;
    m_handlerRunning = true;
    QLineEdit* input = &m_view.inputLine();
    if (m_view.isRemoteStation()) {
        m_view.keyboardKeyingOff();
    } else {
        closeLine();
        input->end(false);
        input->setFocus();
        m_view.stopCqQuietly();
        m_view.settings().KEY = m_view.isKeyBoxChecked() ? 1 : 0;
        if (m_view.settings().KEY == 1)
            keyingLoop();
        m_view.AdvanceFocus(Ctl::Key);
    }
    m_handlerRunning = false;
}

void KeyboardKeyer::inputChanged() {
    if (m_view.inputLine().hasFocus())
        keyingLoop();
}

void KeyboardKeyer::disableButtons(bool disable) {
    m_view.enableKeyingButtons(!disable);
    m_controlsDisabled = disable;
}

void KeyboardKeyer::keyingLoop() {
    Settings& s = m_view.settings();
    if (s.KEY != 1 || m_running)
        return;
    m_running = true;
    const TransmissionScope onAir(m_view.state());
    QLineEdit* input = &m_view.inputLine();
    const bool remote = m_view.isRemoteStation();
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
    // A message keyed meanwhile owns the open line and ends it itself; only a typed line ends here.
    if (m_view.state().sending && !m_running)
        return;
    if (m_view.hasOpenLine())
        m_view.LogText(QStringLiteral("\r\n"));
}
