#include "screen/EditContextMenu.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>

namespace {

/// The same six commands over a line edit or the text area.
struct EditOps {
    std::function<bool()> canUndo, hasSelection, hasText;
    std::function<void()> undo, cut, copy, paste, clear, selectAll, deselect;
};

EditOps opsFor(QWidget* widget) {
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        return {[line] { return line->isUndoAvailable(); },
                [line] { return line->hasSelectedText(); },
                [line] { return !line->text().isEmpty(); },
                [line] { line->undo(); },
                [line] { line->cut(); },
                [line] { line->copy(); },
                [line] { line->paste(); },
                [line] { line->del(); },
                [line] { line->selectAll(); },
                [line] {
                    line->deselect();
                }};
    }
    auto* area = static_cast<QPlainTextEdit*>(widget);
    return {[area] { return area->document()->isUndoAvailable(); },
            [area] { return area->textCursor().hasSelection(); },
            [area] { return !area->document()->isEmpty(); },
            [area] { area->undo(); },
            [area] { area->cut(); },
            [area] { area->copy(); },
            [area] { area->paste(); },
            [area] { area->textCursor().removeSelectedText(); },
            [area] {
                area->selectAll();
                area->ensureCursorVisible();
            },
            [area] {
                QTextCursor cursor = area->textCursor();
                cursor.clearSelection();
                area->setTextCursor(cursor);
            }};
}

} // namespace

void ShowEditContextMenu(QWidget* edit, QPoint globalPos) {
    const EditOps ops = opsFor(edit);
    QMenu menu(edit);
    menu.setObjectName(QStringLiteral("editMenu"));
    const bool selection = ops.hasSelection();
    const auto add = [&menu](const char* text, bool enabled, const std::function<void()>& run) {
        QAction* action = menu.addAction(QString::fromLatin1(text), run);
        action->setEnabled(enabled);
    };
    add("Undo", ops.canUndo(), ops.undo);
    menu.addSeparator();
    add("Cut", selection, ops.cut);
    add("Copy", selection, [&ops] {
        ops.copy();
        ops.deselect();
    });
    add("Paste", QApplication::clipboard()->mimeData() && QApplication::clipboard()->mimeData()->hasText(), ops.paste);
    add("Delete", selection, ops.clear);
    menu.addSeparator();
    add("Select all", ops.hasText(), ops.selectAll);
    menu.exec(globalPos);
}
