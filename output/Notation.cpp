#include "Notation.h"

#include <algorithm>

namespace {
const QStringList prefixTexts{QString(), QStringLiteral("$"), QStringLiteral("0x"), QStringLiteral("H"),
                              QStringLiteral("&")};
const QStringList delimiterTexts{QStringLiteral(","), QStringLiteral("\""), QStringLiteral(" "), QString()};
} // namespace

const QStringList &Notation::prefixEntries()
{
    static const QStringList entries{QStringLiteral("none"), QStringLiteral("$ff"), QStringLiteral("0xff"),
                                     QStringLiteral("Hff"), QStringLiteral("&ff")};
    return entries;
}

const QStringList &Notation::delimiterEntries()
{
    static const QStringList entries{QStringLiteral("comma"), QStringLiteral("quotes"), QStringLiteral("space"),
                                     QStringLiteral("none")};
    return entries;
}

void Notation::getformat(int prefixIndex, int delimiterIndex)
{
    if (delimiterIndex >= 0 && delimiterIndex < delimiterTexts.size())
        m_delimiterText = delimiterTexts.at(delimiterIndex);
    if (prefixIndex >= 0 && prefixIndex < prefixTexts.size())
        m_prefixText = prefixTexts.at(prefixIndex);
}

QString Notation::line(const QStringList &values, int count) const
{
    QString out;
    for (int i = 0; i < count && i < values.size(); ++i) {
        if (i > 0)
            out += m_delimiterText;
        out += m_prefixText;
        out += values.at(i);
    }
    out += QLatin1String("\r\n");
    return out;
}

int Notation::longestValue(int lineLimit, int count)
{
    const auto widest = [](const QStringList &texts) {
        qsizetype n = 0;
        for (const QString &text : texts)
            n = std::max(n, text.size());
        return int(n);
    };
    return (lineLimit - 1 - (count - 1) * widest(delimiterTexts)) / count - widest(prefixTexts);
}
