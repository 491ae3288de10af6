#pragma once

#include "platform/UpperCaseValidator.h"

#include <QPlainTextEdit>

/// A multi-line edit whose typed and pasted text is upper case.
class UpperCaseTextArea : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};
