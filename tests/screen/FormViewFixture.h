#pragma once

#include "QtPrinters.h"
#include "VirtualStation.h"
#include "resources/ControlIds.h"
#include "screen/FrameHost.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

class FakeFrame : public FrameHost {
public:
    int wpmBoxIndex() const override { return wpmIndex; }
    void RebuildCommandBar(int state) override { indicator.append(state); }
    void setCommandBarEnabled(bool enabled) override { barEnabled = enabled; }
    void applyLinkMenuRules() override {}

    int wpmIndex = 10;
    QList<int> indicator;
    bool barEnabled = true;
};

/// The operating screen on its own, shown offscreen, keyed through virtual devices.
class FormViewTest : public ::testing::Test, protected VirtualStation {
protected:
    FormViewTest();

    /// Builds and shows the view once the settings are as the test wants them.
    void open();
    QPushButton* button(int id) const { return static_cast<QPushButton*>(view->control(id)); }
    QLineEdit* edit(int id) const { return static_cast<QLineEdit*>(view->control(id)); }
    QCheckBox* box(int id) const { return static_cast<QCheckBox*>(view->control(id)); }
    QString monitor() const;
    /// KEY (DTR) and PTT (RTS) changes as "K+ 1000", "P- 2350" with virtual milliseconds since open.
    QStringList lineLog() const;
    void click(QWidget* widget);

    FakeFrame frame;
    std::unique_ptr<CTarvoFormView> view;
    qint64 openedUs = 0;
};
