#pragma once

#include <QString>
#include <QStringView>

#include <algorithm>

// Line arithmetic and line ends for the output pane's text. Lengths are in
// characters (Unicode code points): a surrogate pair counts once, so a
// length check never lets half of one in or keeps half of one out.
namespace PaneText {

// What ends a line in text put into the pane: LF, a lone CR, CR LF (once)
// and the paragraph separator.
inline bool isParagraphBreak(QChar ch)
{
    return ch == QLatin1Char('\n') || ch == QLatin1Char('\r') || ch == QChar::ParagraphSeparator;
}

// Whether the unit at i is the second half of a surrogate pair.
inline bool continuesPair(QStringView text, qsizetype i)
{
    return i > 0 && text.at(i).isLowSurrogate() && text.at(i - 1).isHighSurrogate();
}

inline int characters(QStringView text)
{
    int n = int(text.size());
    for (qsizetype i = 1; i < text.size(); ++i)
        if (continuesPair(text, i))
            --n;
    return n;
}

// The pane's lines joined by LF, with every line break (LF, CR, CR LF,
// U+2028 and U+2029) as CR LF: the text as it leaves the program.
inline QString withCrLf(const QString &plain)
{
    QString out;
    out.reserve(plain.size() + plain.size() / 16);
    for (int i = 0; i < plain.size(); ++i) {
        const QChar ch = plain.at(i);
        if (ch == QLatin1Char('\r')) {
            out += QLatin1String("\r\n");
            if (i + 1 < plain.size() && plain.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (ch == QLatin1Char('\n') || ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator) {
            out += QLatin1String("\r\n");
        } else {
            out += ch;
        }
    }
    return out;
}

// Length in characters of the longest line that putting text between before
// (the characters of its line up to there) and after (the rest of that
// line) would make.
inline int longestLineAfter(int before, QStringView text, int after)
{
    int longest = 0;
    int line = before;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isParagraphBreak(text.at(i))) {
            longest = std::max(longest, line);
            line = 0;
            if (text.at(i) == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (!continuesPair(text, i)) {
            ++line;
        }
    }
    return std::max(longest, line + after);
}

} // namespace PaneText
