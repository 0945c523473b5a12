#include "OneLineValidator.h"

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
    return Acceptable;
}
