#include "FormViewFixture.h"

FormViewTest::FormViewTest() {
    settings.SIG = 1;
    settings.SIG_STANDBY = 2;
}

void FormViewTest::open() {
    view = std::make_unique<CTarvoFormView>(settings, state, frame, devices());
    view->OnInitialUpdate();
    view->show();
    view->activateWindow();
    QApplication::setActiveWindow(view.get());
    openedUs = clock.nowUs();
}

QString FormViewTest::monitor() const {
    return static_cast<QPlainTextEdit*>(view->control(Ctl::TextArea))->toPlainText();
}

QStringList FormViewTest::lineLog() const {
    QStringList out;
    bool dtr = false, rts = false;
    for (const auto& c : port.changes()) {
        bool& level = c.line == RecordingSerialPort::Line::Dtr ? dtr : rts;
        if (level == c.on)
            continue;
        level = c.on;
        out.append(QStringLiteral("%1%2 %3")
                       .arg(c.line == RecordingSerialPort::Line::Dtr ? 'K' : 'P')
                       .arg(c.on ? '+' : '-')
                       .arg((c.atUs - openedUs) / 1000));
    }
    return out;
}

void FormViewTest::click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}
