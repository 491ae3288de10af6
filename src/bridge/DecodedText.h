#pragma once

#include <QString>

#include <optional>

/// fldigi's received text, read a piece at a time from its RX pane: what came since the bridge
/// connected, kept up to a bound as one line (line ends become blanks), its tail offered as string 1.
class DecodedText {
public:
    /// The range of the pane to read next.
    struct Range {
        int start;
        int length;
    };

    /// The pane holds length characters, fldigi's own notices among them, when the bridge connects:
    /// what is there now is not decoded text.
    void connected(int length);
    /// The pane's length now: the range to read, if there is one. A pane that got shorter was cleared,
    /// and all it holds came since.
    std::optional<Range> grown(int length);
    /// The text read from the range grown() gave; keep says whether it counts (fldigi's own keyed
    /// text does not).
    void read(const Range& range, const QString& text, bool keep);
    /// The last whole characters of the decoded text whose bytes on the link fit maxBytes.
    QString tail(qsizetype maxBytes) const;

private:
    int m_position = 0;
    QString m_text;
};
