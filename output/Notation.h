#pragma once

#include <QString>
#include <QStringList>

// How listed values are written: a prefix before every value and a delimiter
// between neighbours, chosen by index in the two option lists.
class Notation
{
public:
    static const QStringList &prefixEntries();    // "none", "$ff", "0xff", "Hff", "&ff"
    static const QStringList &delimiterEntries(); // "comma", "quotes", "space", "none"

    // Adopts the list selections; an index outside a table (-1: nothing
    // selected) keeps that setting as it was.
    void getformat(int prefixIndex, int delimiterIndex);

    QString prefixText() const { return m_prefixText; }
    QString delimiterText() const { return m_delimiterText; }

    // One listing line: the first count values, each behind the prefix,
    // delimited, ended by CR LF. Values are copied as they stand.
    QString line(const QStringList &values, int count) const;

    // The longest value (in characters) of which count, listed behind the
    // widest prefix with the widest delimiter, make a line shorter than
    // lineLimit characters.
    static int longestValue(int lineLimit, int count);

private:
    QString m_prefixText;
    QString m_delimiterText = QStringLiteral(",");
};
