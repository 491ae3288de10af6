#pragma once

#include "QtPrinters.h"
#include "VirtualStation.h"
#include "app/CMainFrame.h"
#include "resources/ControlIds.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

/// The main frame with its operating screen, keyed through virtual devices; accelerators and key
/// state work from real key events.
class FrameTest : public ::testing::Test, protected VirtualStation {
protected:
    /// Builds and shows the window once the settings are as the test wants them.
    void open() {
        frame.setCloseHook([this](int wpm) { savedWithWpm.append(wpm); });
        frame.setView(new CTarvoFormView(settings, state, frame, devices(), &frame));
        frame.show();
        frame.activateWindow();
        QApplication::setActiveWindow(&frame);
        openedUs = clock.nowUs();
    }

    CTarvoFormView* view() const { return frame.view(); }
    QWidget* control(int id) const { return view()->control(id); }
    QLineEdit* edit(int id) const { return static_cast<QLineEdit*>(control(id)); }
    QCheckBox* box(int id) const { return static_cast<QCheckBox*>(control(id)); }
    QString monitor() const { return static_cast<QPlainTextEdit*>(control(Ctl::TextArea))->toPlainText(); }

    /// Moments (virtual ms since open) at which the KEY line (DTR) went up.
    QList<qint64> keyDowns() const { return lineRises(RecordingSerialPort::Line::Dtr, openedUs); }

    CMainFrame frame{settings, state};
    QList<int> savedWithWpm;
    qint64 openedUs = 0;
};
