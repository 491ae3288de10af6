#include "templates/TemplateTokens.h"

#include "templates/TokenTable.h"

QString TemplateTokens::greeting() const {
    const char letter = m_settings.GoodMAE == 0 ? 'M' : m_settings.GoodMAE == 1 ? 'A' : 'E';
    return QStringLiteral("G") + QLatin1Char(letter);
}

QString TemplateTokens::valueOf(int row) const {
    if (row < kContactFields)
        return m_settings.his[row];
    if (row == 6)
        return m_settings.currentMYCALL;
    if (row == 7)
        return m_settings.currentMYQTH;
    return m_settings.TX[row - 8];
}

std::optional<QString> TemplateTokens::ExpandTemplate(const QString& text, TokenSpan& span) {
    static const QString greetings[] = {QStringLiteral("{GMAE}"), QStringLiteral("{*GMAE}")};
    QString out;
    qsizetype p = 0;
    for (qsizetype brace; (brace = text.indexOf(QLatin1Char('{'), p)) >= 0;) {
        out += QStringView(text).mid(p, brace - p);
        p = brace;
        span.start = int(p);
        if (const auto* g = std::find_if(std::begin(greetings), std::end(greetings),
                                         [&](const QString& t) { return QStringView(text).mid(p).startsWith(t); });
            g != std::end(greetings)) {
            p += g->size();
            out += greeting();
            continue;
        }
        const auto match = MatchToken(text, p);
        if (!match) {
            out += QLatin1Char('{');
            ++p;
            continue;
        }
        p += match->length;
        span.end = int(p);
        // Another message's text goes in as it stands: its braces are keyed as characters.
        const QString value = valueOf(match->row);
        out += value;
        if (!value.isEmpty())
            continue;
        if (p < text.size() && text[p] == QLatin1Char(' '))
            ++p;
        if (match->stars == 1 || match->stars == 2)
            return std::nullopt;
    }
    out += QStringView(text).mid(p);
    return out;
}

QList<ContactField> FieldsToPrePick(const QString& text) {
    QList<ContactField> fields;
    for (ContactField f : {FieldCALL, FieldM2, FieldM1, FieldNAME, FieldQTH, FieldRST}) {
        if (text.contains(TokenText(f, 2)) || text.contains(TokenText(f, 3)))
            fields.append(f);
    }
    return fields;
}
