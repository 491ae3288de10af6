#pragma once

#include "keyer/KeyerState.h"

#include <QString>

#include <optional>

/// Turns a message template into the text that is keyed.
class TemplateExpander {
public:
    virtual ~TemplateExpander() = default;
    /// The expanded text, or nothing when a required token is empty; span marks the token examined.
    virtual std::optional<QString> ExpandTemplate(const QString& text, TokenSpan& span) = 0;
};
