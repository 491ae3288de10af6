#include "settings/PageDialog.h"
#include "QtPrinters.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

/// A key as the operator types it, to whatever has the focus.
void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), k, modifiers);
}

/// A page dialog shown as the operator meets it, worked with real keys.
class PageDialogTest : public ::testing::Test {
protected:
    void open(const PageDialogTemplate& form, int page = 1) {
        PageDialogData data = PageDialogDataOf(Settings());
        data.page = page;
        dialog = std::make_unique<PageDialog>(form, data);
        dialog->show();
        dialog->activateWindow();
        QApplication::setActiveWindow(dialog.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }
    QLineEdit* edit(int id) const { return static_cast<QLineEdit*>(dialog->control(id)); }
    QRadioButton* choice(int n) const { return static_cast<QRadioButton*>(dialog->control(PageCtl::kChoices[n - 1])); }
    QStringList labels() const {
        QStringList out;
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            out << label->text();
        return out;
    }
    void type(QWidget* target, const QString& text) { QTest::keyClicks(target, text); }

    std::unique_ptr<PageDialog> dialog;
};

TEST_F(PageDialogTest, TheLoadDialogOfAFirstStartShowsTheBuiltInPages) {
    open(LoadDialog146());
    EXPECT_EQ(dialog->windowTitle(),
              QStringLiteral(" Tarvo  LOAD  parameters             HELLO OM YL !           de Zorvik/4"));
    EXPECT_EQ(labels(), (QStringList{"Source", "Title", "{MYCALL}", "{MYQTH}"}));
    QStringList choices;
    for (int n = 1; n <= 6; ++n)
        choices << choice(n)->text();
    EXPECT_EQ(choices, (QStringList{"page &1", "page &2", "page &3", "page &4", "page &5", "&Default"}));
    EXPECT_TRUE(choice(1)->isChecked());
    EXPECT_TRUE(choice(1)->hasFocus()) << "Enter loads it, a digit picks another";
    EXPECT_EQ(edit(1030)->text(), QStringLiteral("Parameters 1"));
    EXPECT_EQ(edit(1034)->text(), QStringLiteral("Parameters 5"));
    EXPECT_EQ(edit(1045)->text(), QStringLiteral("Default Parameters"));
    EXPECT_EQ(edit(1035)->text(), QStringLiteral("TRV/PC"));
    EXPECT_EQ(edit(1046)->text(), QStringLiteral("TRV/PC"));
    EXPECT_EQ(edit(1040)->text(), QStringLiteral("QTH0000"));
    EXPECT_EQ(edit(1047)->text(), QStringLiteral("QTH0000"));
    EXPECT_TRUE(edit(1039)->text().isEmpty()) << "MYCALL2";
    EXPECT_TRUE(edit(1045)->isVisible());
}

TEST_F(PageDialogTest, TheSaveDialogHidesTheDefaultRowButOffersNotSave) {
    open(SaveDialog145(), 3);
    EXPECT_EQ(dialog->windowTitle(),
              QStringLiteral(" Tarvo  SAVE  parameters             73 88 CU AGN !           de Zorvik/4"));
    EXPECT_EQ(labels().first(), QStringLiteral("Destination"));
    EXPECT_EQ(choice(6)->text(), QStringLiteral("&not save"));
    EXPECT_TRUE(choice(6)->isVisible());
    EXPECT_TRUE(choice(3)->isChecked());
    for (int id : {1045, 1046, 1047})
        EXPECT_FALSE(edit(id)->isVisible()) << id;
    dialog->accept();
    EXPECT_EQ(dialog->data().texts[5], QStringLiteral("Default Parameters")) << "the hidden row comes back as it was";
}

TEST_F(PageDialogTest, KeysPickAPageAndEnterTakesItWithTheEdits) {
    struct Case {
        const char* name;
        std::function<void()> work;
        int result;
        int page;
    };
    const QList<Case> cases = {
        {"Enter on the checked choice", [] { key(Qt::Key_Return); }, QDialog::Accepted, 2},
        {"a digit, then Enter",
         [] {
             key(Qt::Key_3);
             key(Qt::Key_Return);
         },
         QDialog::Accepted, 3},
        {"Alt and a digit",
         [] {
             key(Qt::Key_4, Qt::AltModifier);
             key(Qt::Key_Enter);
         },
         QDialog::Accepted, 4},
        {"D for the Default page",
         [] {
             key(Qt::Key_D);
             key(Qt::Key_Return);
         },
         QDialog::Accepted, 6},
        {"Escape after a change keeps the page given",
         [] {
             key(Qt::Key_5);
             key(Qt::Key_Escape);
         },
         QDialog::Rejected, 2},
    };
    for (const Case& c : cases) {
        open(LoadDialog146(), 2);
        c.work();
        EXPECT_EQ(dialog->result(), c.result) << c.name;
        EXPECT_EQ(dialog->data().page, c.page) << c.name;
    }
}

TEST_F(PageDialogTest, EditsAreReadBackOnOkOnly) {
    open(LoadDialog146());
    edit(1036)->setFocus();
    type(edit(1036), QStringLiteral("trv3a"));
    EXPECT_EQ(edit(1036)->text(), QStringLiteral("TRV3A")) << "MYCALL3 turns upper case";
    edit(1032)->setFocus();
    type(edit(1032), QStringLiteral(" 3 dx"));
    EXPECT_EQ(edit(1032)->text(), QStringLiteral("Parameters 3 3 dx")) << "a digit in an edit is text, not a choice";
    EXPECT_TRUE(choice(1)->isChecked());
    edit(1044)->setFocus();
    type(edit(1044), QString(300, 'q'));
    EXPECT_EQ(edit(1044)->text().size(), kTextLimit);
    key(Qt::Key_Escape);
    EXPECT_EQ(dialog->data().texts[8], QString()) << "cancel reads no edit";

    open(LoadDialog146());
    edit(1036)->setFocus();
    type(edit(1036), QStringLiteral("trv3a"));
    key(Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->data().texts[8], QStringLiteral("TRV3A"));
}

TEST_F(PageDialogTest, APageOutsideTheSixChecksTheSixthChoice) {
    open(LoadDialog146(), 9);
    EXPECT_TRUE(choice(6)->isChecked());
    key(Qt::Key_Return);
    EXPECT_EQ(dialog->data().page, kDefaultPage);
    open(LoadDialog146(), 0);
    key(Qt::Key_Escape);
    EXPECT_EQ(dialog->data().page, 0);
}

} // namespace
