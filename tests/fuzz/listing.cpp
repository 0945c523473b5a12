// Listings read back. Any text (UTF-8) is read for 5, 7 and 8 values: a
// reading has exactly that many values, each 0..FF, and a refusal none; what
// the refusal says shows no character that could turn its direction. The
// first bytes also make a listing as the program writes it, which has to read
// back to its values: byte 0 the notation, byte 1 the count and which values
// a top box holds in lowercase, bytes 2..9 the values; the same values in a C
// array, each written in a base of its own, read back too.

#include "matrix/MatrixState.h"
#include "output/ListingReader.h"
#include "output/Notation.h"
#include "output/PasteRefusal.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using ListingReader::Result;

void check(bool ok, const char *what)
{
    if (!ok) {
        fprintf(stderr, "listing: %s\n", what);
        abort();
    }
}

void checkReading(const QString &text, int count)
{
    const Result r = ListingReader::read(text, count);
    if (r.ok()) {
        check(r.values.size() == count, "read as many values as not asked for");
        check(std::all_of(r.values.begin(), r.values.end(), [](int v) { return v >= 0 && v <= 255; }),
              "a value outside 0..FF");
    } else {
        check(r.values.isEmpty(), "values kept by a refusal");
        check(r.problem != Result::Problem::Count || r.found != count, "refused for a count that was right");
        check(r.problem != Result::Problem::TooLong || text.size() > ListingReader::LongestText, "refused as too long");
        check(r.token.size() <= 32, "a refusal's token not cut short");
        check(r.problem != Result::Problem::Arrays || r.found > 1, "refused for many arrays, but one");
        check(r.problem != Result::Problem::TwoWays || r.codeValue != r.listed, "two readings that agree");
        const QString said = PasteRefusal::unread(r, MatrixState::Edge(count % 4), count < 8);
        for (char32_t c : said.toUcs4()) {
            const auto d = QChar::direction(c);
            check(c == u'\n' || (QChar::isPrint(c) && !QChar::isMark(c) && d != QChar::DirR && d != QChar::DirAN &&
                                 (d < QChar::DirLRE || d > QChar::DirPDI)),
                  "a refusal shows a character that hides or turns");
        }
    }
}

// value in C: decimal, hex, binary with leading zeros, or Arduino's B name.
QString inC(int value, int form)
{
    switch (form % 4) {
    case 0:
        return QString::number(value);
    case 1:
        return "0x" + QString::number(value, 16);
    case 2:
        return "0b" + QString(form / 4 % 3, u'0') + QString::number(value, 2);
    default:
        return "B" + QString::number(value, 2);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (int count : {5, 7, 8})
        checkReading(text, count);

    if (size < 10)
        return 0;
    const int prefix = data[0] % 5, delimiter = data[0] / 5 % 4;
    static const int counts[] = {5, 7, 8};
    const int count = counts[data[1] % 3];
    Notation notation;
    notation.getformat(prefix, delimiter);
    QStringList texts;
    QList<int> values;
    for (int i = 0; i < count; ++i) {
        values << data[2 + i];
        const QString shown = MatrixState::edgeValueText(data[2 + i]);
        texts << (data[1] >> (i % 6 + 2) & 1 ? shown.toLower() : shown);
    }
    const QString line = notation.line(texts, count);
    const Result r = ListingReader::read(line, count);
    const bool oneWidth =
        std::all_of(texts.begin(), texts.end(), [&](const QString &t) { return t.size() == texts[0].size(); });
    if (prefix == 0 && delimiter == 3 && !oneWidth)
        check(!r.ok(), "values of mixed widths run together read as values"); // B10101010 is also one byte
    else
        check(r.values == values, "a listing did not read back to its values");

    QStringList code;
    for (int i = 0; i < count; ++i)
        code << inC(values[i], data[0] + i * 5 + data[2 + i]);
    const QString array = "byte g[] = {" + code.join(", ") + "};";
    check(ListingReader::read(array, count).values == values, "a C array did not read back to its values");
    return 0;
}
