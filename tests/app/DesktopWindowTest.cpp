// The main window on a desktop: the form grows with the window and its font zooms, worked with
// real keys on the whole window.
#include "LinkFrameFixture.h"
#include "peer/PeerMessages.h"

#include <QComboBox>
#include <QPlainTextEdit>

namespace {

class DesktopWindowTest : public LinkFrameTest {
protected:
    /// Every shown control of the form lies inside the form.
    void expectAllInside(const char* when) {
        for (QWidget* child : view()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (child->isVisible()) {
                EXPECT_TRUE(view()->rect().contains(child->geometry()))
                    << when << ": " << child->objectName().toStdString();
            }
        }
        EXPECT_TRUE(frame.rect().contains(view()->geometry())) << when;
    }
    void frequencyShown() {
        QStringList lines(15);
        lines[6] = QStringLiteral("7.02500");
        lines[7] = QStringLiteral("CW");
        fromCompanion(LogDataMessage(lines));
        ASSERT_TRUE(QTest::qWaitFor([&] { return edit(Ctl::Freq)->isVisible(); }, kWaitMs));
    }
};

TEST_F(DesktopWindowTest, AWindowTwiceAsLargeGivesTheTextAreaTheHeightAndTheRowsTheWidth) {
    open();
    frequencyShown();
    const QSize first = frame.size();
    EXPECT_EQ(view()->size(), view()->minimumSize()) << "it starts at the form's own size";
    const int textHeight = control(Ctl::TextArea)->height();
    const int callWidth = edit(Ctl::Call)->width();
    const QRect input = edit(Ctl::InputLine)->geometry();
    const QRect freq = edit(Ctl::Freq)->geometry();
    expectAllInside("at first");

    frame.resize(first * 2);
    QApplication::processEvents();
    EXPECT_GE(control(Ctl::TextArea)->height(), 2 * textHeight);
    EXPECT_GE(edit(Ctl::Call)->width(), 2 * callWidth - 2);
    EXPECT_LT(edit(Ctl::InputLine)->geometry().right(), edit(Ctl::Freq)->geometry().left())
        << "the text line still leaves the frequency its room";
    EXPECT_GT(edit(Ctl::InputLine)->y(), control(Ctl::TextArea)->geometry().bottom() - 1)
        << "the bottom line moved down with the text area";
    expectAllInside("twice as large");

    frame.resize(first);
    QApplication::processEvents();
    EXPECT_EQ(control(Ctl::TextArea)->height(), textHeight) << "back where the template puts it";
    EXPECT_EQ(edit(Ctl::InputLine)->geometry(), input);
    EXPECT_EQ(edit(Ctl::Freq)->geometry(), freq);
}

TEST_F(DesktopWindowTest, CtrlPlusAndMinusZoomTheFormAndCtrl0StaysClear) {
    open();
    edit(Ctl::Call)->setFocus();
    const qreal size = edit(Ctl::Call)->font().pointSizeF();
    const int minimumWidth = view()->minimumWidth();
    QTest::keyClick(edit(Ctl::Call), Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(edit(Ctl::Call), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(view()->zoom(), 120);
    EXPECT_NEAR(edit(Ctl::Call)->font().pointSizeF(), size * 1.2, 0.01);
    EXPECT_GT(static_cast<QPushButton*>(control(Ctl::Tx1))->font().pointSizeF(), size * 0.85 * 1.1)
        << "the buttons' own face zooms too";
    EXPECT_GT(view()->minimumWidth(), minimumWidth) << "the form grows with its font";
    QApplication::processEvents();
    expectAllInside("zoomed in");

    QTest::keyClicks(edit(Ctl::Call), "Q1ABC");
    QTest::keyClick(edit(Ctl::Call), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(view()->zoom(), 120);
    EXPECT_TRUE(edit(Ctl::Call)->text().isEmpty()) << "Ctrl+0 is Clear";

    for (int i = 0; i < 3; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(view()->zoom(), 90);
    EXPECT_NEAR(edit(Ctl::Call)->font().pointSizeF(), size * 0.9, 0.01);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(view()->zoom(), 50) << "no smaller than half";
}

} // namespace
