#pragma once

#include "keyer/TemplateExpander.h"
#include "settings/Settings.h"

#include <QList>

/// Expands the tokens of a prepared message from the contact fields, the page's own call and QTH,
/// the greeting and the other prepared messages, in one pass from left to right.
class TemplateTokens : public TemplateExpander {
public:
    explicit TemplateTokens(const Settings& settings) : m_settings(settings) {}

    std::optional<QString> ExpandTemplate(const QString& text, TokenSpan& span) override;

private:
    QString valueOf(int row) const;
    QString greeting() const;

    const Settings& m_settings;
};

/// The contact fields that a TX press fills from the picked text first: those whose two- or
/// three-asterisk token stands in the message, in the order CALL, M2, M1, NAME, QTH, RST.
QList<ContactField> FieldsToPrePick(const QString& text);
