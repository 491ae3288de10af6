#include "peer/TypedCommands.h"

#include "peer/PeerMessages.h"

namespace {

const char* const kFieldKeywords[] = {"CALL", "CODE",  "TIMEJ", "TIMEU", "GL",  "NAME",
                                      "RST",  "MYRST", "QTH",   "RMK1",  "RMK2"};
const char* const kBareKeywords[] = {"FORE", "CLR"};

bool OneOf(const QString& keyword, const auto& keywords) {
    for (const char* candidate : keywords) {
        if (keyword == QLatin1String(candidate))
            return true;
    }
    return false;
}

TypedOutcome Send(const QByteArray& datagram) {
    return TypedOutcome{TypedOutcome::Send, datagram, QString()};
}

TypedOutcome Refuse(const QString& why) {
    return TypedOutcome{TypedOutcome::Refused, QByteArray(), why};
}

} // namespace

TypedOutcome TypedCommands::take(const QString& line) {
    if (m_block) {
        if (line != QLatin1String(".")) {
            m_block->append(line);
            return TypedOutcome{};
        }
        const QByteArray datagram = LogDataMessage(*m_block);
        m_block.reset();
        return Send(datagram);
    }
    qsizetype start = 0;
    while (start < line.size() && line[start].isSpace())
        ++start;
    if (start == line.size())
        return TypedOutcome{};
    const qsizetype blank = line.indexOf(QLatin1Char(' '), start);
    const QString typed = line.mid(start, blank < 0 ? -1 : blank - start);
    const QString keyword = typed.toUpper();
    const QString text = blank < 0 ? QString() : line.mid(blank + 1);
    const QByteArray head = keyword.toLatin1() + ' ';
    if (OneOf(keyword, kFieldKeywords))
        return Send(PeerMessage(head, text));
    if (OneOf(keyword, kBareKeywords)) {
        if (!text.trimmed().isEmpty())
            return Refuse(QStringLiteral("%1 takes no text").arg(keyword));
        return Send(PeerMessage(head, QString()));
    }
    if (keyword == QLatin1String("LOGDT")) {
        if (!text.trimmed().isEmpty())
            return Refuse(QStringLiteral("LOGDT takes its lines on the lines that follow it"));
        m_block = QStringList();
        return TypedOutcome{TypedOutcome::Note, QByteArray(),
                            QStringLiteral("LOGDT block: type its lines, then a line holding only \".\" sends it")};
    }
    if (keyword == QLatin1String("HELP"))
        return TypedOutcome{TypedOutcome::Note, QByteArray(), help()};
    return Refuse(QStringLiteral("unknown command %1; HELP lists the commands").arg(typed));
}

std::optional<QString> TypedCommands::finish() {
    if (!m_block)
        return std::nullopt;
    m_block.reset();
    return QStringLiteral("input ended inside a LOGDT block; it was not sent");
}

QString TypedCommands::help() {
    return QStringLiteral("Commands, one a line, the keyword in any case:\n"
                          "  CALL|CODE|TIMEJ|TIMEU|GL|NAME|RST|MYRST|QTH|RMK1|RMK2 TEXT   send \"KEYWORD TEXT\\r\"\n"
                          "  FORE, CLR   send \"FORE \\r\", \"CLR \\r\"\n"
                          "  LOGDT       start a block: each line after it is one line of the block, and a line\n"
                          "              holding only \".\" sends \"LOGDT \", the lines each ended by \\n, \"\\r\"\n"
                          "  HELP        this list");
}
