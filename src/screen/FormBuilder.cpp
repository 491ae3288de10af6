#include "screen/FormBuilder.h"

#include "screen/UpperCaseEdits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>

UnitScale DialogUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return UnitScale{(metrics.horizontalAdvance(letters) / 26 + 1) / 2, metrics.height()};
}

QFont ButtonFont(const QFont& formFont) {
    // Captions like "{TX01}[1]" were drawn in a narrow handheld font; a smaller face keeps them whole.
    QFont font = formFont;
    font.setPointSizeF(formFont.pointSizeF() * 0.85);
    return font;
}

namespace {

QWidget* create(const FormControl& c, QWidget* parent) {
    const QString caption = QString::fromLatin1(c.caption);
    const bool upper = c.flags & FormControl::UpperCase;
    switch (c.kind) {
    case FormControl::PushButton: {
        auto* button = new QPushButton(caption, parent);
        button->setFont(ButtonFont(parent->font()));
        return button;
    }
    case FormControl::CheckBox:
        return new QCheckBox(caption, parent);
    case FormControl::Edit: {
        auto* edit = new QLineEdit(parent);
        if (upper)
            edit->setValidator(new UpperCaseValidator(edit));
        edit->setTextMargins(2, 0, 2, 0);
        return edit;
    }
    case FormControl::TextArea: {
        auto* area = new UpperCaseTextArea(parent);
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        area->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        return area;
    }
    case FormControl::Label:
        return new QLabel(caption, parent);
    case FormControl::Progress: {
        auto* bar = new QProgressBar(parent);
        bar->setTextVisible(false);
        return bar;
    }
    case FormControl::Combo: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        return combo;
    }
    case FormControl::UpDown: {
        auto* spin = new QSpinBox(parent);
        spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        return spin;
    }
    }
    return nullptr;
}

} // namespace

QHash<int, QWidget*> BuildForm(const FormTemplate& form, QWidget* parent) {
    QHash<int, QWidget*> controls;
    for (const FormControl& c : form.controls) {
        QWidget* widget = create(c, parent);
        widget->setObjectName(QStringLiteral("c%1").arg(c.id));
        widget->setVisible(!(c.flags & FormControl::Hidden));
        controls.insert(c.id, widget);
    }
    return controls;
}
