#pragma once

#include <QValidator>

/// Turns whatever is typed or pasted into a line edit into upper case.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};
