#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// What Enter answers is what an operator typing on without looking answers.
TEST(QtMessageBoxes, EnterAnswersWithTheDefaultButton) {
    using Buttons = MessageBoxes::Buttons;
    using Answer = MessageBoxes::Answer;
    const struct {
        Buttons buttons;
        Answer onEnter;
    } cases[] = {{Buttons::Ok, Answer::Ok}, {Buttons::YesNo, Answer::Yes}, {Buttons::YesNoDefaultNo, Answer::No}};
    QtMessageBoxes boxes;
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.buttons));
        QString text;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            text = box->text();
            QTest::keyClick(box, Qt::Key_Return);
        });
        EXPECT_EQ(boxes.show(QStringLiteral("    All default ?"), MessageBoxes::Icon::Question, c.buttons), c.onEnter);
        EXPECT_EQ(text, QStringLiteral("    All default ?"));
    }
}

} // namespace
