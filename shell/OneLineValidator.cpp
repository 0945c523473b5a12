#include "OneLineValidator.h"

#include "OutputPane.h"
#include "matrix/MatrixState.h"
#include "output/Notation.h"
#include "output/PaneText.h"

namespace {

bool isLineBreak(QChar ch)
{
    switch (ch.unicode()) {
    case 0x0A:   // line feed
    case 0x0B:   // vertical tab
    case 0x0C:   // form feed
    case 0x0D:   // carriage return
    case 0x85:   // next line
    case 0x2028: // line separator
    case 0x2029: // paragraph separator
        return true;
    default:
        return false;
    }
}

} // namespace

int OneLineValidator::longest()
{
    static const int characters = Notation::longestValue(OutputPane::LongestLine, MatrixState::Size);
    return characters;
}

QValidator::State OneLineValidator::validate(QString &input, int &pos) const
{
    int kept = 0;
    int newPos = pos;
    for (int i = 0; i < input.size(); ++i) {
        if (isLineBreak(input.at(i))) {
            if (i < pos)
                --newPos;
            continue;
        }
        input[kept++] = input.at(i);
    }
    input.truncate(kept);
    pos = newPos;

    // The cursor ends what was just typed or pasted: cut from there back, as
    // a maximum length would, then from the end.
    int excess = PaneText::characters(input) - longest();
    // A cursor between the halves of a pair stands after it, so that the pair
    // goes as one.
    if (excess > 0 && pos > 0 && pos < input.size() && PaneText::continuesPair(input, pos))
        ++pos;
    int cut = pos;
    while (excess > 0 && cut > 0) {
        cut -= PaneText::continuesPair(input, cut - 1) ? 2 : 1;
        --excess;
    }
    input.remove(cut, pos - cut);
    pos = cut;
    int end = int(input.size());
    while (excess > 0) {
        end -= PaneText::continuesPair(input, end - 1) ? 2 : 1;
        --excess;
    }
    input.truncate(end);
    return Acceptable;
}
