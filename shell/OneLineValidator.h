#pragma once

#include <QValidator>

// Keeps a top box to one line of at most longest() characters: line breaks in
// typed, pasted or dropped text are dropped, every other character is kept as
// it stands, and what does not fit is cut from the end of the text just put
// in, never inside a surrogate pair.
class OneLineValidator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;

    // So long that a listing of eight full boxes, in the widest notation,
    // stays shorter than the longest line the output pane takes.
    static int longest();

    State validate(QString &input, int &pos) const override;
};
