#pragma once

#include <QValidator>

// Keeps a line edit to one line: line breaks in typed, pasted or dropped text
// are dropped, every other character is kept as it stands.
class OneLineValidator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override;
};
