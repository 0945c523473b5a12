#include "ListingReader.h"

#include "matrix/HexDigit.h"

#include <algorithm>
#include <limits>

namespace ListingReader {

namespace {

using Problem = Result::Problem;
using Base = Result::Base;
using CSource::Element;
using CSource::Number;
using CSource::Token;

constexpr qsizetype LongestToken = 32;

int hexDigit(QChar c)
{
    return HexDigit::anyCase(c.unicode());
}

bool allHex(QStringView s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) { return hexDigit(c) >= 0; });
}

bool isSeparator(QChar c)
{
    return c == u',' || c == u'"' || c.isSpace() || CSource::isInvisible(c.unicode());
}

// The characters of the program's listings: anything else makes a text code.
bool isListingChar(QChar c)
{
    return hexDigit(c) >= 0 || c == u'$' || c == u'&' || c == u'H' || c == u'x' || c == u'X' || isSeparator(c);
}

// The prefixes of the program's listings; "0x" is found by its x, which no
// value holds, so that "0x10x2" splits as 0x1, 0x2.
bool isOneCharPrefix(QChar c)
{
    return c == u'$' || c == u'&' || c == u'H';
}

// What a reading found, and where each value stood.
class Reading
{
public:
    Reading(QStringView text, int count) : m_text(text), m_count(count) {}

    bool refuse(Problem problem, QStringView token)
    {
        m_result.problem = problem;
        QStringView shown = token.left(LongestToken);
        if (shown.size() < token.size() && shown.back().isHighSurrogate())
            shown.chop(1); // never half a character
        m_result.token = shown.toString();
        return false;
    }

    // token is a view into the text.
    void add(int value, QStringView token, Base base)
    {
        m_result.values << value;
        m_starts << token.data() - m_text.data();
        m_ends << m_starts.last() + token.size();
        m_bases << base;
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

    // Where value i stood, and how it was written.
    QStringView text(qsizetype i) const { return m_text.mid(m_starts[i], m_ends[i] - m_starts[i]); }
    Base base(qsizetype i) const { return m_bases[i]; }

protected:
    QStringView m_text;
    int m_count;
    Result m_result;
    QList<qsizetype> m_starts, m_ends;
    QList<Base> m_bases;
};

// A listing as the program writes it, or near it: every value hex.
class ListingReading : public Reading
{
public:
    using Reading::Reading;

    Result read()
    {
        QList<QStringView> fields;
        for (qsizetype i = 0; i < m_text.size();) {
            if (isSeparator(m_text[i])) {
                ++i;
                continue;
            }
            const qsizetype start = i;
            while (i < m_text.size() && !isSeparator(m_text[i]))
                ++i;
            fields << m_text.mid(start, i - start);
        }
        for (QStringView field : fields)
            if (!readField(field, fields.size() == 1))
                break;
        return finish();
    }

    // As the program writes its listings: one prefix for all, one delimiter
    // between all, every value in its shortest digits.
    bool asWritten() const
    {
        const qsizetype n = m_result.values.size();
        if (!m_result.ok() || n == 0 || !std::all_of(m_plain.begin(), m_plain.end(), [](bool p) { return p; }) ||
            std::any_of(m_prefixes.begin(), m_prefixes.end(), [&](char16_t p) { return p != m_prefixes[0]; }))
            return false;
        const auto blank = [](QStringView s) {
            return std::all_of(s.begin(), s.end(), [](QChar c) { return c.isSpace(); });
        };
        if (!blank(m_text.left(m_starts[0])) || !blank(m_text.mid(m_ends[n - 1])))
            return false;
        const QStringView gap = m_text.mid(m_ends[0], n > 1 ? m_starts[1] - m_ends[0] : 0);
        if (gap.size() > 1 || (gap.size() == 1 && !QStringView(u",\" ").contains(gap[0])))
            return false;
        for (qsizetype i = 1; i < n; ++i)
            if (m_text.mid(m_ends[i - 1], m_starts[i] - m_ends[i - 1]) != gap)
                return false;
        return true;
    }

private:
    // One run of text between separators.
    bool readField(QStringView field, bool onlyField)
    {
        const bool run = onlyField && field.size() > 2 && allHex(field);
        if (run && (field.size() == m_count || field.size() == 2 * qsizetype(m_count)))
            return readRun(field);
        if (allHex(field))
            return run ? readRun(field) : readValue(field, field, 0);
        // Values each behind a prefix, perhaps with a bare one first.
        qsizetype itemStart = 0;  // where the current item's prefix begins
        qsizetype digitStart = 0; // where its digits begin
        char16_t prefix = 0;
        const auto endItem = [&](qsizetype end) {
            if (end == itemStart)
                return true; // nothing before the first prefix
            return readValue(field.mid(itemStart, end - itemStart), field.mid(digitStart, end - digitStart), prefix);
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
            prefix = field[i].unicode() == u'X' ? u'x' : field[i].unicode();
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
            readValue(run.mid(i, width), run.mid(i, width), 0);
        return true;
    }

    bool readValue(QStringView token, QStringView digits, char16_t prefix)
    {
        if (digits.isEmpty() || !allHex(digits))
            return refuse(Problem::NotValues, token);
        m_plain << (digits.size() == 1 || (digits.size() == 2 && digits[0] != u'0'));
        m_prefixes << prefix;
        while (digits.size() > 1 && digits[0] == u'0')
            digits = digits.mid(1);
        if (digits.size() > 2)
            return refuse(Problem::OverFF, token);
        int value = 0;
        for (QChar c : digits)
            value = value * 16 + hexDigit(c);
        add(value, token, Base::Hex);
        return true;
    }

    QList<bool> m_plain;
    QList<char16_t> m_prefixes;
};

// C and Arduino code: numbers as C reads them.
class CodeReading : public Reading
{
public:
    CodeReading(QStringView text, int count) : Reading(text, count), m_scan(text) { m_result.code = true; }

    Result read()
    {
        const QList<CSource::Array> &arrays = m_scan.arrays();
        QList<qsizetype> leaves; // the arrays that hold values rather than arrays
        for (qsizetype i = 0; i < arrays.size(); ++i)
            if (arrays[i].children == 0)
                leaves << i;
        if (leaves.size() > 1) {
            m_result.problem = Problem::Arrays;
            m_result.found = int(std::min<qsizetype>(leaves.size(), std::numeric_limits<int>::max()));
            m_result.fewest = std::numeric_limits<int>::max();
            for (qsizetype i : leaves) {
                const int n = int(arrays[i].count);
                m_result.fewest = std::min(m_result.fewest, n);
                m_result.most = std::max(m_result.most, n);
            }
            return finish();
        }
        CSource::Elements elements;
        if (leaves.size() == 1) {
            elements = m_scan.elements(arrays[leaves[0]]);
            m_result.array = true;
            qsizetype root = leaves[0];
            while (arrays[root].parent >= 0)
                root = arrays[root].parent;
            m_result.name = arrays[root].name.toString();
        } else if (arrays.isEmpty() && m_scan.blocks() == 0) {
            elements = m_scan.outside();
        }
        for (const Element &element : elements)
            if (!readElement(element))
                break;
        return finish();
    }

private:
    bool readElement(const Element &element)
    {
        if (element.kind == Element::Kind::Value)
            return readNumber(element.number, m_scan.text(element));
        // Several numbers apart by white space, or a number in quotes, as
        // listings are pasted into code; anything else is no value.
        QList<std::pair<Number, QStringView>> numbers;
        CSource::Lexer lexer(m_text, element.start, element.end, element.line);
        Token token;
        int tokens = 0;
        while (lexer.next(token)) {
            if (token.kind == Token::Kind::Comment)
                continue;
            ++tokens;
            Number number = token.number;
            if (token.kind != Token::Kind::Number && !quotedNumber(token, number)) {
                const Token bad = token;
                return refuseElement(element, bad, tokens == 1 && !lexer.next(token));
            }
            numbers << std::make_pair(number, m_scan.text(token));
        }
        for (const auto &[number, text] : numbers)
            if (!readNumber(number, text))
                return false;
        return true;
    }

    bool quotedNumber(const Token &token, Number &number) const
    {
        if (token.kind != Token::Kind::String && token.kind != Token::Kind::Char)
            return false;
        CSource::Lexer lexer(m_text, token.innerStart, token.innerStart + token.innerSize, token.line);
        Token inner;
        if (!lexer.next(inner) || inner.kind != Token::Kind::Number)
            return false;
        number = inner.number;
        return !lexer.next(inner);
    }

    // Shows the whole element ("(byte)0x3C") where it stands on one line,
    // else the token that is no value; only: that token is all it holds.
    bool refuseElement(const Element &element, const Token &token, bool only)
    {
        const QStringView whole = m_scan.text(element);
        const QStringView text =
            std::any_of(whole.begin(), whole.end(), [](QChar c) { return c == u'\n' || c == u'\r'; })
                ? m_scan.text(token)
                : whole;
        if (only && (token.kind == Token::Kind::BadNumber || token.kind == Token::Kind::Identifier) && allHex(text))
            m_result.hint = text.size() > 1 && text[0] == u'0' &&
                                    std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); })
                                ? Result::Hint::OctalDigit
                                : Result::Hint::HexPrefix;
        return refuse(Problem::NotValues, text);
    }

    bool readNumber(const Number &number, QStringView token)
    {
        m_result.base = number.base;
        if (number.negative && number.magnitude != 0)
            return refuse(Problem::Negative, token);
        if (number.tooWide || number.bits() > 32) {
            m_result.found = number.tooWide ? 65 : number.bits();
            return refuse(Problem::Wide, token);
        }
        if (number.magnitude > 0xFF)
            return refuse(Problem::OverFF, token);
        add(int(number.magnitude), token, number.base);
        // Bare digits that would read otherwise as hex, as a listing has them.
        m_unlikeHex = m_unlikeHex || (number.base == Base::Decimal && number.magnitude >= 10) ||
                      (number.base == Base::Octal && number.magnitude >= 8);
        return true;
    }

    CSource::Scan m_scan;
    bool m_unlikeHex = false;

public:
    bool unlikeHex() const { return m_unlikeHex; }
};

bool hasCodeLiteral(QStringView text)
{
    CSource::Lexer lexer(text);
    Token token;
    while (lexer.next(token))
        if (token.kind == Token::Kind::Number && (token.number.base == Base::Hex || token.number.base == Base::Binary))
            return true;
    return false;
}

// Both readings of a text that may be either.
Result compare(const Result &listing, const CodeReading &code, const Result &asCode)
{
    if (listing.ok() && asCode.ok()) {
        for (qsizetype i = 0; i < listing.values.size(); ++i) {
            if (listing.values[i] == asCode.values[i])
                continue;
            Result two;
            two.problem = Problem::TwoWays;
            two.index = int(i);
            two.token = code.text(i).left(LongestToken).toString(); // a literal: ASCII
            two.base = code.base(i);
            two.codeValue = asCode.values[i];
            two.listed = listing.values[i];
            return two;
        }
        return listing;
    }
    if (listing.ok())
        return listing;
    // Bare digits in a text with no braces are hex, as in a listing: read as
    // decimal only because a 0x value stands beside them, they would change
    // meaning with their neighbours.
    if (asCode.ok() && code.unlikeHex())
        return listing;
    return asCode; // the text's code literals say more than its failure as a listing
}

} // namespace

Result read(QStringView text, int count)
{
    if (text.size() > LongestText) {
        Result result;
        result.problem = Problem::TooLong;
        result.found = int(std::min<qsizetype>(text.size(), std::numeric_limits<int>::max()));
        return result;
    }
    if (!std::all_of(text.begin(), text.end(), isListingChar))
        return CodeReading(text, count).read();
    ListingReading listing(text, count);
    const Result asListing = listing.read();
    if (!hasCodeLiteral(text) || listing.asWritten())
        return asListing;
    CodeReading code(text, count);
    const Result asCode = code.read();
    return compare(asListing, code, asCode);
}

} // namespace ListingReader
