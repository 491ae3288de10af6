#include "screen/UpperCaseEdits.h"

#include <QKeyEvent>
#include <QMimeData>

void UpperCaseTextArea::keyPressEvent(QKeyEvent* event) {
    const QString upper = event->text().toUpper();
    if (upper == event->text()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent shifted(event->type(), event->key(), event->modifiers(), upper, event->isAutoRepeat(),
                      ushort(event->count()));
    QPlainTextEdit::keyPressEvent(&shifted);
}

void UpperCaseTextArea::insertFromMimeData(const QMimeData* source) {
    if (source->hasText())
        insertPlainText(source->text().toUpper());
}
