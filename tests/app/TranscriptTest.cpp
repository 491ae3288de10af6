#include "FrameFixture.h"

#include <QDir>
#include <QFile>

namespace {

class TranscriptTest : public FrameTest {
protected:
    QPlainTextEdit* area() const { return static_cast<QPlainTextEdit*>(control(Ctl::TextArea)); }
    /// Puts the caret of the text area at the given offset of its text, with the focus there.
    void caretAt(int position) {
        area()->setFocus();
        QTextCursor cursor = area()->textCursor();
        cursor.setPosition(position);
        area()->setTextCursor(cursor);
    }
    int find(const QString& text) const { return int(monitor().indexOf(text)); }
};

TEST_F(TranscriptTest, FiveHundredLinesEmptyTheAreaFirst) {
    open();
    area()->clear();
    for (int i = 1; i < 500; ++i)
        view()->AppendMonitorText(QStringLiteral("L%1\r\n").arg(i));
    ASSERT_EQ(area()->document()->blockCount(), 500);
    view()->AppendMonitorText(QStringLiteral("NEW"));
    EXPECT_EQ(monitor(), QStringLiteral("NEW"));
}

TEST_F(TranscriptTest, MoreThanFortyThousandCharactersLoseTheFirstHalf) {
    open();
    area()->setPlainText(QString(20000, QLatin1Char('A')) + QString(20001, QLatin1Char('B')));
    view()->AppendMonitorText(QStringLiteral("C"));
    EXPECT_EQ(monitor(), QString(20001, QLatin1Char('B')) + QLatin1Char('C'));

    area()->setPlainText(QString(40000, QLatin1Char('A')));
    view()->AppendMonitorText(QStringLiteral("C"));
    EXPECT_EQ(monitor().size(), 40001) << "exactly 40000 is kept";
}

TEST_F(TranscriptTest, AltKeysPickTheWordAtTheCaret) {
    open();
    view()->AppendMonitorText(QStringLiteral("UR 5NN Q1ABC BK\r\n"));
    caretAt(find(QStringLiteral("Q1ABC")) + 2);
    QTest::keyClick(area(), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(edit(Ctl::Call)->text(), QStringLiteral("Q1ABC"));
    EXPECT_EQ(settings.his[FieldCALL], QStringLiteral("Q1ABC"));
    EXPECT_EQ(QApplication::focusWidget(), edit(Ctl::Rst)) << "the focus advances from CALL";

    caretAt(find(QStringLiteral("5NN")) + 1);
    QTest::keyClick(area(), Qt::Key_H, Qt::AltModifier);
    EXPECT_EQ(edit(Ctl::Rst)->text(), QStringLiteral("599"));
}

TEST_F(TranscriptTest, PickWithTheFocusElsewhereSelectsTheField) {
    settings.his[FieldCALL] = QStringLiteral("TRV9ZZ");
    open();
    view()->AppendMonitorText(QStringLiteral("DE Q1ABC"));
    edit(Ctl::Call)->setFocus();
    QTest::keyClick(edit(Ctl::Call), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(edit(Ctl::Call)->text(), QStringLiteral("TRV9ZZ"));
    EXPECT_EQ(edit(Ctl::Call)->selectedText(), QStringLiteral("TRV9ZZ"));
}

TEST_F(TranscriptTest, ClickingALabelPicksIntoItsField) {
    open();
    view()->AppendMonitorText(QStringLiteral("JCC 1101AN"));
    caretAt(find(QStringLiteral("1101AN")) + 1);
    QTest::mouseClick(control(Ctl::LabelM1), Qt::LeftButton);
    EXPECT_EQ(edit(Ctl::M1)->text(), QStringLiteral("110119"));
    EXPECT_FALSE(view()->contactChanged()) << "a pick is no operator edit";
}

TEST_F(TranscriptTest, SelectionTakenToATxButtonFillsDoubleStarredFields) {
    settings.TX[1] = QStringLiteral("{**CALL} TU");
    open();
    view()->AppendMonitorText(QStringLiteral("DE Q1ABC K"));
    caretAt(find(QStringLiteral("Q1ABC")));
    QTest::keyClick(area(), Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(area(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(area(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyRelease(area(), Qt::Key_Shift);
    control(Ctl::Tx2)->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(control(Ctl::Tx2), Qt::LeftButton);
    EXPECT_EQ(edit(Ctl::Call)->text(), QStringLiteral("Q1ABC"));
    EXPECT_TRUE(monitor().endsWith(QStringLiteral("Q1ABC TU\n")));
}

TEST_F(TranscriptTest, ExtractorButtonsFindCallAndCode) {
    open();
    view()->AppendMonitorText(QStringLiteral("TU DE QA1ABC/1 K"));
    QTest::mouseClick(control(Ctl::CallExtractor), Qt::LeftButton);
    EXPECT_EQ(edit(Ctl::Call)->text(), QStringLiteral("QA1ABC/1"));
    EXPECT_EQ(edit(Ctl::Call)->selectedText(), QStringLiteral("Q"));
    EXPECT_EQ(QApplication::focusWidget(), edit(Ctl::Call));

    view()->AppendMonitorText(QStringLiteral("\r\nUR 599 JCC 1101 05 BK"));
    QTest::mouseClick(control(Ctl::CodeExtractor), Qt::LeftButton);
    EXPECT_EQ(edit(Ctl::M1)->text(), QStringLiteral("110105"));
    EXPECT_FALSE(edit(Ctl::M1)->hasSelectedText());

    area()->clear();
    view()->AppendMonitorText(QStringLiteral("QRZ? PSE AGN"));
    QTest::mouseClick(control(Ctl::CallExtractor), Qt::LeftButton);
    EXPECT_TRUE(edit(Ctl::Call)->text().isEmpty()) << "no call found leaves CALL empty";
}

TEST_F(TranscriptTest, TypedContactAndSentLinesReachTheDaysLog) {
    settings.TX[0] = QStringLiteral("CQ \"X\"");
    settings.KEY_DATA = QStringLiteral("TU");
    open();
    edit(Ctl::Call)->setFocus();
    QTest::keyClicks(edit(Ctl::Call), "q1abc");
    QTest::mouseClick(control(Ctl::Tx1), Qt::LeftButton);
    QTest::keyClick(control(Ctl::Tx1), Qt::Key_K, Qt::ControlModifier); // keys TU, then the focus leaves the line
    const QStringList files = QDir(logDir.path()).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files[0].startsWith(QStringLiteral("Tarvo")) && files[0].endsWith(QStringLiteral("A.txt")));
    QFile file(QDir(logDir.path()).filePath(files[0]));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 5) << lines.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("\"LOG\",\"TYPE\"")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral(",0,")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("\"Q1ABC\",\"5NN\",\"\",\"OM\",\"JCC\",\"5NN\",")));
    EXPECT_EQ(lines[1].mid(3, 20), lines[2].mid(3, 20)) << "one stamp for both records";
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral(",,,,,,,\"CQ \"\"X\"\"\"")));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral(",1,")) && lines[3].endsWith(QStringLiteral("\"TU\"")));
    EXPECT_TRUE(lines[4].isEmpty());
}

} // namespace
