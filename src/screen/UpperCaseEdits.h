#pragma once

#include <QPlainTextEdit>
#include <QValidator>

/// Turns whatever is typed or pasted into a line edit into upper case.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

/// A multi-line edit whose typed and pasted text is upper case.
class UpperCaseTextArea : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};
