#include "ListingReader.h"

#include <algorithm>
#include <limits>

namespace ListingReader {

namespace {

using Problem = Result::Problem;

constexpr qsizetype LongestToken = 32;

bool isSeparator(QChar c)
{
    switch (c.unicode()) {
    case u',':
    case u';':
    case u'"':
    case u'\'':
    case u'{':
    case u'}':
    case u'[':
    case u']':
        return true;
    default:
        return c.isSpace();
    }
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

bool allHex(QStringView s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) { return hexDigit(c) >= 0; });
}

// The prefixes of the program's listings; "0x" is found by its x, which no
// value holds, so that "0x10x2" splits as 0x1, 0x2.
bool isOneCharPrefix(QChar c)
{
    return c == u'$' || c == u'&' || c == u'H';
}

// 0b00111100, 0B00111100 (C) and B00111100 (Arduino); -1 for anything else.
int binaryValue(QStringView field)
{
    QStringView digits;
    if (field.size() == 10 && field[0] == u'0' && (field[1] == u'b' || field[1] == u'B'))
        digits = field.mid(2);
    else if (field.size() == 9 && field[0] == u'B')
        digits = field.mid(1);
    else
        return -1;
    int value = 0;
    for (QChar c : digits) {
        if (c != u'0' && c != u'1')
            return -1;
        value = value * 2 + (c == u'1');
    }
    return value;
}

// The text without its comments, and of a text with braces only what stands
// between the first opening one and the last closing one: the declaration
// before the array and the semicolon after it are no values.
QString codeBody(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] == u'/' && i + 1 < text.size() && text[i + 1] == u'/') {
            i = text.indexOf(u'\n', i);
            if (i < 0)
                break;
        } else if (text[i] == u'/' && i + 1 < text.size() && text[i + 1] == u'*') {
            // A comment keeps its place as a separator: 0x1/**/0x2 is two values.
            out += u' ';
            i = text.indexOf(QStringView(u"*/"), i + 2);
            if (i < 0)
                break;
            i += 2;
        } else {
            out += text[i++];
        }
    }
    const qsizetype open = out.indexOf(u'{');
    if (open < 0)
        return out;
    const qsizetype close = out.lastIndexOf(u'}');
    return out.mid(open + 1, (close > open ? close : out.size()) - open - 1);
}

class Reader
{
public:
    explicit Reader(int count) : m_count(count) {}

    // One run of text between separators.
    bool readField(QStringView field, bool onlyField)
    {
        const bool run = onlyField && field.size() > 2 && allHex(field);
        // A run of the wanted length first: five two-digit values may read
        // as 0b and eight binary digits too.
        if (run && (field.size() == m_count || field.size() == 2 * qsizetype(m_count)))
            return readRun(field);
        const int binary = binaryValue(field);
        if (binary >= 0) {
            m_result.values << binary;
            return true;
        }
        if (allHex(field))
            return run ? readRun(field) : readValue(field, field);
        // Values each behind a prefix, perhaps with a bare one first.
        qsizetype itemStart = 0;  // where the current item's prefix begins
        qsizetype digitStart = 0; // where its digits begin
        const auto endItem = [&](qsizetype end) {
            if (end == itemStart)
                return true; // nothing before the first prefix
            return readValue(field.mid(itemStart, end - itemStart), field.mid(digitStart, end - digitStart));
        };
        for (qsizetype i = 0; i < field.size(); ++i) {
            qsizetype prefixStart = -1;
            if (isOneCharPrefix(field[i]))
                prefixStart = i;
            else if ((field[i] == u'x' || field[i] == u'X') && i - 1 >= digitStart && field[i - 1] == u'0')
                prefixStart = i - 1;
            if (prefixStart < 0)
                continue;
            if (!endItem(prefixStart))
                return false;
            itemStart = prefixStart;
            digitStart = i + 1;
        }
        return endItem(field.size());
    }

    // A line of bare digits with nothing between its values: readable only
    // where all have one width.
    bool readRun(QStringView run)
    {
        int width = 0;
        if (run.size() == m_count)
            width = 1;
        else if (run.size() == 2 * qsizetype(m_count))
            width = 2;
        else
            return refuse(Problem::Ambiguous, run);
        for (qsizetype i = 0; i < run.size(); i += width)
            readValue(run.mid(i, width), run.mid(i, width));
        return true;
    }

    bool readValue(QStringView token, QStringView digits)
    {
        if (digits.isEmpty() || !allHex(digits))
            return refuse(Problem::NotValues, token);
        while (digits.size() > 1 && digits[0] == u'0')
            digits = digits.mid(1);
        if (digits.size() > 2)
            return refuse(Problem::OverFF, token);
        int value = 0;
        for (QChar c : digits)
            value = value * 16 + hexDigit(c);
        m_result.values << value;
        return true;
    }

    bool refuse(Problem problem, QStringView token)
    {
        m_result.problem = problem;
        QStringView shown = token.left(LongestToken);
        if (shown.size() < token.size() && shown.back().isHighSurrogate())
            shown.chop(1); // never half a character
        m_result.token = shown.toString();
        return false;
    }

    Result finish()
    {
        if (m_result.ok()) {
            m_result.found = int(m_result.values.size());
            if (m_result.found != m_count)
                m_result.problem = Problem::Count;
        }
        if (!m_result.ok())
            m_result.values.clear();
        return m_result;
    }

private:
    int m_count;
    Result m_result;
};

} // namespace

Result read(QStringView text, int count)
{
    if (text.size() > LongestText) {
        Result result;
        result.problem = Problem::TooLong;
        result.found = int(std::min<qsizetype>(text.size(), std::numeric_limits<int>::max()));
        return result;
    }
    const QString body = codeBody(text);
    QList<QStringView> fields;
    for (qsizetype i = 0; i < body.size();) {
        if (isSeparator(body[i])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < body.size() && !isSeparator(body[i]))
            ++i;
        fields << QStringView(body).mid(start, i - start);
    }
    Reader reader(count);
    for (QStringView field : fields)
        if (!reader.readField(field, fields.size() == 1))
            break;
    return reader.finish();
}

} // namespace ListingReader
