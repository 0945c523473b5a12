#pragma once

#include <QString>

// The output pane keeps its lines as paragraphs, so its plain text has bare
// LF (or a lone CR) where a listing wrote CR LF. Everything that leaves the
// pane goes out with CR LF line breaks.
namespace PaneText {

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

} // namespace PaneText
