#include "screen/LiveLine.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

namespace {

// The text area keeps line ends as bare line feeds.
QString AsShown(QString text) {
    return text.remove(QLatin1Char('\r'));
}

} // namespace

void LiveLine::update(const QString& text, bool mouseSelecting, const std::function<void(const QString&)>& append) {
    if (leaveAlone(text, mouseSelecting))
        return;
    if (!m_last.isEmpty() && replace(text)) {
        m_last = text;
        return;
    }
    if (!text.isEmpty()) {
        append(text);
        append(QStringLiteral("\r\n"));
    }
    m_last = text;
}

bool LiveLine::leaveAlone(const QString& text, bool mouseSelecting) const {
    if (m_area.hasFocus() && m_area.textCursor().hasSelection())
        return true;
    return mouseSelecting || text == m_last;
}

bool LiveLine::replace(const QString& text) {
    const QString shown = AsShown(m_last);
    const QString all = m_area.toPlainText();
    // Where it would begin if it ended the text, less the line end after it and one more.
    const qsizetype from = std::max<qsizetype>(0, all.size() - shown.size() - 2);
    const qsizetype at = all.indexOf(shown, from);
    if (at < 0)
        return false;
    qsizetype length = shown.size();
    if (text.isEmpty() && all.mid(at + length, 1) == QLatin1String("\n"))
        ++length; // an empty string takes its line away
    m_area.setUpdatesEnabled(false);
    QTextCursor cursor(m_area.document());
    cursor.setPosition(int(at));
    cursor.setPosition(int(at + length), QTextCursor::KeepAnchor);
    cursor.insertText(AsShown(text));
    cursor.movePosition(QTextCursor::End);
    m_area.setTextCursor(cursor);
    m_area.ensureCursorVisible();
    if (!text.isEmpty()) {
        QScrollBar* bar = m_area.verticalScrollBar();
        bar->setValue(bar->value() - 1);
    }
    m_area.setUpdatesEnabled(true);
    return true;
}
