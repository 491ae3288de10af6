#include "settings/PageDialog.h"

#include "platform/UpperCaseValidator.h"
#include "settings/Settings.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QShortcutEvent>
#include <QVBoxLayout>

namespace {

/// Edit ids of text n (0..17) in the order of the dialog data.
int editOfText(int n) {
    const int row = n % kDefaultPage;
    switch (n / kDefaultPage) {
    case 0:
        return PageCtl::kTitles[row];
    case 1:
        return PageCtl::kMycalls[row];
    }
    return PageCtl::kMyqths[row];
}

QChar mnemonicOf(const QString& text) {
    const qsizetype amp = text.indexOf(QLatin1Char('&'));
    return amp >= 0 && amp + 1 < text.size() ? text.at(amp + 1).toLower() : QChar();
}

} // namespace

PageDialog::PageDialog(const PageDialogTemplate& form, const PageDialogData& data, QWidget* parent)
    : QDialog(parent), m_data(data) {
    setWindowTitle(QString::fromLatin1(form.caption));
    build(form);
    fill();
}

void PageDialog::build(const PageDialogTemplate& form) {
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QString::fromLatin1(form.choicesLabel), this), 0, 0);
    for (int column = 0; column < 3; ++column)
        grid->addWidget(new QLabel(QString::fromLatin1(PageCtl::kHeadings[column]), this), 0, column + 1);
    m_choices = new QButtonGroup(this);
    for (int row = 0; row < kDefaultPage; ++row) {
        const char* text = row < kPages ? PageCtl::kChoiceTexts[row] : form.sixthChoice;
        auto* choice = new QRadioButton(QString::fromLatin1(text), this);
        choice->installEventFilter(this);
        m_choices->addButton(choice, row);
        m_controls.insert(PageCtl::kChoices[row], choice);
        grid->addWidget(choice, row + 1, 0);
        const int edits[3] = {PageCtl::kTitles[row], PageCtl::kMycalls[row], PageCtl::kMyqths[row]};
        for (int column = 0; column < 3; ++column) {
            auto* edit = new QLineEdit(this);
            edit->setMaxLength(kTextLimit);
            edit->setTextMargins(2, 0, 2, 0);
            if (column > 0)
                edit->setValidator(new UpperCaseValidator(edit));
            // The save dialog keeps the Default page's texts, unseen.
            edit->setVisible(row < kPages || form.sixthRowShown);
            m_controls.insert(edits[column], edit);
            grid->addWidget(edit, row + 1, column + 1);
        }
    }
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 2);
    grid->setColumnStretch(3, 2);
    for (auto it = m_controls.cbegin(); it != m_controls.cend(); ++it)
        it.value()->setObjectName(QStringLiteral("c%1").arg(it.key()));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

void PageDialog::fill() {
    for (int n = 0; n < kPageTexts; ++n)
        static_cast<QLineEdit*>(control(editOfText(n)))->setText(m_data.texts[n]);
    QAbstractButton* checked = m_choices->button(ChoiceOfPage(m_data.page));
    checked->setChecked(true);
    checked->setFocus();
}

void PageDialog::accept() {
    for (int n = 0; n < kPageTexts; ++n)
        m_data.texts[n] = static_cast<QLineEdit*>(control(editOfText(n)))->text();
    m_data.page = PageOfChoice(m_choices->checkedId());
    QDialog::accept();
}

bool PageDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* choice = qobject_cast<QAbstractButton*>(watched);
    // Alt and the mnemonic: checked at once, not after the button's pressed look, so that an
    // Enter typed straight after takes the new choice.
    if (choice && event->type() == QEvent::Shortcut && !static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
        choice->setFocus(Qt::ShortcutFocusReason);
        choice->click();
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier || key->text().size() != 1)
        return false;
    const QChar typed = key->text().at(0).toLower();
    for (QAbstractButton* other : m_choices->buttons()) {
        if (mnemonicOf(other->text()) == typed) {
            other->setFocus();
            other->click();
            return true;
        }
    }
    return false;
}
