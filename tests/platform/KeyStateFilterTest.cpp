#include "platform/KeyStateFilter.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class KeyStateFilterTest : public ::testing::Test {
protected:
    KeyStateFilterTest() {
        qApp->installEventFilter(&filter);
        edit.show();
    }
    ~KeyStateFilterTest() override { qApp->removeEventFilter(&filter); }

    KeyStateFilter filter;
    QLineEdit edit;
};

TEST_F(KeyStateFilterTest, KeysAreDownBetweenPressAndRelease) {
    QTest::keyPress(&edit, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(filter.isKeyDown(Qt::Key_Control));
    EXPECT_TRUE(filter.isKeyDown(Qt::Key_Q));
    QTest::keyRelease(&edit, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(filter.isKeyDown(Qt::Key_Q));
    EXPECT_FALSE(filter.isKeyDown(Qt::Key_Control));

    QTest::keyPress(&edit, Qt::Key_Escape);
    EXPECT_TRUE(filter.isKeyDown(Qt::Key_Escape));
    QTest::keyRelease(&edit, Qt::Key_Escape);
    EXPECT_FALSE(filter.isKeyDown(Qt::Key_Escape));
}

TEST_F(KeyStateFilterTest, AModifierWhoseReleaseWasMissedIsDroppedAtTheNextKey) {
    QTest::keyPress(&edit, Qt::Key_Control);
    EXPECT_TRUE(filter.isKeyDown(Qt::Key_Control));
    QTest::keyClick(&edit, Qt::Key_A);
    EXPECT_FALSE(filter.isKeyDown(Qt::Key_Control));
}

TEST_F(KeyStateFilterTest, AutoRepeatReleaseKeepsTheKeyDown) {
    QTest::keyPress(&edit, Qt::Key_Return);
    QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&edit, &repeatRelease);
    EXPECT_TRUE(filter.isKeyDown(Qt::Key_Return));
    QTest::keyRelease(&edit, Qt::Key_Return);
    EXPECT_FALSE(filter.isKeyDown(Qt::Key_Return));
}

TEST_F(KeyStateFilterTest, LeftButtonAndPointerPositionFollowTheMouse) {
    QPushButton button(QStringLiteral("Esc"));
    button.resize(60, 30);
    button.show();
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 12));
    EXPECT_TRUE(filter.isLeftButtonDown());
    EXPECT_EQ(filter.lastPointerPos(), button.mapToGlobal(QPoint(10, 12)));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(10, 12));
    EXPECT_FALSE(filter.isLeftButtonDown());
}

} // namespace
