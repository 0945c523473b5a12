// What a user types into a top box, as UTF-16 units (lone surrogates too),
// through the box's validator and then the column entry.
//
// Input: byte 0 picks the column (low 3 bits) and how often the text is
// repeated (high 5 bits, so that boxes overflow); byte 1 the column's cells
// before the entry and, scaled, where the cursor stands; the rest the text.

#include "matrix/MatrixState.h"
#include "output/Notation.h"
#include "output/PaneText.h"
#include "shell/OneLineValidator.h"
#include "shell/OutputPane.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool hasLoneSurrogate(const QString &s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate())
            ++i;
        else if (s.at(i).isSurrogate())
            return true;
    }
    return false;
}

bool isBreak(QChar c)
{
    return (c >= u'\n' && c <= u'\r') || c == u'\x85' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

int digit(QChar c)
{
    return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : c >= u'a' && c <= u'f' ? c.unicode() - u'a' + 10 : -1;
}

void check(bool ok, const char *what)
{
    if (!ok) {
        fprintf(stderr, "column: %s\n", what);
        abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int col = data[0] % 8;
    QString typed(qsizetype((size - 2) / 2), Qt::Uninitialized);
    memcpy(typed.data(), data + 2, size_t(typed.size()) * 2);
    const QString text = typed.repeated(1 + data[0] / 8);
    QString input = text;
    int pos = int(data[1] * text.size() / 255);
    OneLineValidator validator;
    check(validator.validate(input, pos) == QValidator::Acceptable, "a text refused instead of mended");
    check(pos >= 0 && pos <= input.size(), "cursor outside the text");
    check(std::none_of(input.begin(), input.end(), isBreak), "a line break kept");
    check(PaneText::characters(input) <= OneLineValidator::longest(), "longer than a box takes");
    check(hasLoneSurrogate(input) <= hasLoneSurrogate(text), "a surrogate pair cut in half");
    if (std::none_of(text.begin(), text.end(), isBreak) && PaneText::characters(text) <= OneLineValidator::longest())
        check(input == text, "a text that fits changed");
    QString again = input;
    int againPos = pos;
    validator.validate(again, againPos);
    check(again == input, "mended twice, mended differently");
    // Eight full boxes in the widest notation make a line the pane takes.
    Notation widest;
    widest.getformat(2, 1);
    check(PaneText::characters(widest.line(QStringList(8, input), 8)) - 2 <= OutputPane::LongestLine,
          "a listing of full boxes longer than a pane line");

    MatrixState m;
    for (int r = 0; r < 8; ++r)
        m.setOn(r, col, data[1] >> r & 1);
    const MatrixState::Snapshot before = m.snapshot();
    m.enterColumn(col, input);
    const int low = input.isEmpty() ? -1 : digit(input.back());
    const int high = input.isEmpty() ? -1 : digit(input.front());
    MatrixState::Snapshot expected = before;
    for (int r = 0; r < 8; ++r) {
        const int d = r < 4 ? low : high;
        if (d >= 0)
            expected.cells = d >> (r % 4) & 1 ? expected.cells | MatrixState::bit(r, col)
                                              : expected.cells & ~MatrixState::bit(r, col);
    }
    check(m.snapshot() == expected, "column entry set other cells or values than the digits say");
    return 0;
}
