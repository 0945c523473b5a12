#pragma once

#include <QString>
#include <QStringView>
#include <QTextBoundaryFinder>

#include <algorithm>

// Line arithmetic, line ends and stand-ins for the output pane's text.
// Lengths are in characters (Unicode code points): a surrogate pair counts
// once, so a length check never lets half of one in or keeps half of one out.
namespace PaneText {

// QTextDocument keeps U+FDD0 and U+FDD1 for its frames and turns them into
// paragraph breaks as they are inserted. The pane holds each as the
// noncharacter two places on, which looks the same, marked as a stand-in, and
// gives the original back wherever its text leaves.
inline bool isFrameMarker(QChar ch)
{
    return ch.unicode() == 0xFDD0 || ch.unicode() == 0xFDD1;
}

inline QChar standInFor(QChar marker)
{
    return QChar(ushort(marker.unicode() + 2));
}

// The characters that a run of text marked as stand-ins stands for.
inline QString fromStandIns(QString run)
{
    for (QChar &ch : run)
        if (isFrameMarker(QChar(ushort(ch.unicode() - 2))))
            ch = QChar(ushort(ch.unicode() - 2));
    return run;
}

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

// How far a text reaches, in characters: its longest line, and its longest
// character as the user sees it (a letter with the marks that combine with
// it). Qt's layout costs follow both, so the pane bounds both.
struct Reach
{
    int line = 0;
    int character = 0;
};

inline Reach reach(QStringView text)
{
    Reach r;
    bool beyondLatin = false; // below U+0300 every character stands alone
    int line = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        beyondLatin = beyondLatin || text.at(i).unicode() >= 0x300;
        if (isParagraphBreak(text.at(i))) {
            r.line = std::max(r.line, line);
            line = 0;
        } else if (!continuesPair(text, i)) {
            ++line;
        }
    }
    r.line = std::max(r.line, line);
    r.character = text.isEmpty() ? 0 : 1;
    if (!beyondLatin)
        return r;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text.data(), int(text.size()));
    for (qsizetype start = 0, end; (end = graphemes.toNextBoundary()) > 0; start = end)
        r.character = std::max(r.character, characters(text.mid(start, end - start)));
    return r;
}

} // namespace PaneText
