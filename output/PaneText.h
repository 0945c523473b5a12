#pragma once

#include <QString>

#include <algorithm>

// The output pane keeps its lines as paragraphs, so its plain text has bare
// LF (or a lone CR) where a listing wrote CR LF. Everything that leaves the
// pane goes out with CR LF line breaks.
namespace PaneText {

inline bool isParagraphBreak(QChar ch)
{
    return ch == QLatin1Char('\n') || ch == QLatin1Char('\r') || ch == QChar::ParagraphSeparator;
}

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

// Length of the longest line that inserting text between before (the start of
// the line up to the cursor) and after (the rest of that line) would make.
inline int longestLineAfter(int before, const QString &text, int after)
{
    int longest = 0;
    int line = before;
    for (int i = 0; i < text.size(); ++i) {
        if (isParagraphBreak(text.at(i))) {
            longest = std::max(longest, line);
            line = 0;
            if (text.at(i) == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else {
            ++line;
        }
    }
    return std::max(longest, line + after);
}

} // namespace PaneText
