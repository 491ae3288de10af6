#pragma once

#include <QString>

#include <functional>

class QPlainTextEdit;

/// The live line of the selected decoder string at the end of the text area: each new text of the
/// string replaces the line the last one left, so that the area shows the string as it grows
/// instead of a new line per poll.
class LiveLine {
public:
    explicit LiveLine(QPlainTextEdit& area) : m_area(area) {}

    /// Shows text as the string's line. Leaves the area alone while the operator selects in it
    /// (mouseSelecting: the left button is down inside it) or when the text has not changed.
    /// append writes a new line through the screen's own trimming.
    void update(const QString& text, bool mouseSelecting, const std::function<void(const QString&)>& append);

    /// `LastStringText`.
    const QString& last() const { return m_last; }

private:
    bool leaveAlone(const QString& text, bool mouseSelecting) const;
    /// Replaces the last text where it ends the area; false when it is no longer there.
    bool replace(const QString& text);

    QPlainTextEdit& m_area;
    QString m_last;
};
