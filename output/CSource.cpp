#include "CSource.h"

#include "matrix/HexDigit.h"

#include <algorithm>
#include <limits>

namespace CSource {

namespace {

bool isLineEnd(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == 0x85 || c == 0x2028 || c == 0x2029;
}

bool isAsciiLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isWordChar(char16_t c)
{
    return isAsciiLetter(c) || isDigit(c) || c == u'_';
}

bool isSpace(char16_t c)
{
    return QChar::isSpace(c) || isInvisible(c);
}

int digitValue(char16_t c, int base)
{
    const int d = HexDigit::anyCase(c);
    return d >= 0 && d < base ? d : -1;
}

// u or U at either end of at most one of l, L, ll, LL, wb, WB (C23).
bool isIntegerSuffix(QStringView s)
{
    if (!s.isEmpty() && (s.front() == u'u' || s.front() == u'U'))
        s = s.mid(1);
    else if (!s.isEmpty() && (s.back() == u'u' || s.back() == u'U'))
        s.chop(1);
    return s.isEmpty() || s == u"l" || s == u"L" || s == u"ll" || s == u"LL" || s == u"wb" || s == u"WB";
}

// A pp-number as C reads it; false where it is no integer.
bool readInteger(QStringView s, Number &n)
{
    qsizetype i = 0;
    int base = 10;
    bool digits = false;
    if (s.size() > 1 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) {
        base = 16, i = 2, n.base = Number::Base::Hex;
    } else if (s.size() > 1 && s[0] == u'0' && (s[1] == u'b' || s[1] == u'B')) {
        base = 2, i = 2, n.base = Number::Base::Binary;
    } else if (s.size() > 1 && s[0] == u'0' && (isDigit(s[1].unicode()) || s[1] == u'\'')) {
        base = 8, i = 1, digits = true, n.base = Number::Base::Octal;
    } else {
        n.base = Number::Base::Decimal;
    }
    for (; i < s.size(); ++i) {
        // A separator stands between two digits.
        if (s[i] == u'\'' && digits && i + 1 < s.size() && digitValue(s[i + 1].unicode(), base) >= 0)
            continue;
        const int d = digitValue(s[i].unicode(), base);
        if (d < 0)
            break;
        digits = true;
        if (n.magnitude > (std::numeric_limits<std::uint64_t>::max() - std::uint64_t(d)) / std::uint64_t(base)) {
            n.tooWide = true;
            n.magnitude = std::numeric_limits<std::uint64_t>::max();
        } else if (!n.tooWide) {
            n.magnitude = n.magnitude * std::uint64_t(base) + std::uint64_t(d);
        }
    }
    return digits && isIntegerSuffix(s.mid(i));
}

// Arduino's binary.h names every pattern of 1 to 8 binary digits.
bool isArduinoBinary(QStringView s)
{
    if (s.size() < 2 || s.size() > 9 || s[0] != u'B')
        return false;
    for (qsizetype i = 1; i < s.size(); ++i)
        if (s[i] != u'0' && s[i] != u'1')
            return false;
    return true;
}

} // namespace

bool isInvisible(char32_t c)
{
    return (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) || (c >= 0x2060 && c <= 0x2064) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF || c == 0x061C || c == 0x180E;
}

int Number::bits() const
{
    int n = 0;
    for (std::uint64_t m = magnitude; m; m >>= 1)
        ++n;
    return n;
}

Lexer::Lexer(QStringView text, qsizetype begin, qsizetype end, int line)
    : m_text(text), m_pos(begin), m_end(end < 0 || end > text.size() ? text.size() : end), m_line(line)
{}

void Lexer::lineEnd()
{
    if (m_text[m_pos] == u'\r' && m_pos + 1 < m_end && m_text[m_pos + 1] == u'\n')
        ++m_pos;
    ++m_pos;
    ++m_line;
    m_lineStart = true;
}

void Lexer::skipSpace()
{
    while (m_pos < m_end) {
        const char16_t c = m_text[m_pos].unicode();
        if (isLineEnd(c))
            lineEnd();
        else if (isSpace(c))
            ++m_pos;
        else
            break;
    }
}

bool Lexer::next(Token &token)
{
    skipSpace();
    if (m_pos >= m_end)
        return false;
    token = Token();
    token.line = m_line;
    token.start = m_pos;
    const char16_t c = m_text[m_pos].unicode();
    const char16_t after = m_pos + 1 < m_end ? m_text[m_pos + 1].unicode() : 0;
    if (c == u'/' && (after == u'/' || after == u'*')) {
        comment(token);
        return true; // neither the line's start nor the last token changes
    }
    if (c == u'#' && m_lineStart) {
        directive(token);
        m_last = Token::Kind::Punct, m_lastPunct = u';';
        return true;
    }
    m_lineStart = false;
    // After an operand a minus subtracts; elsewhere it belongs to the number.
    const bool unary = m_last == Token::Kind::Punct && m_lastPunct != u')' && m_lastPunct != u']';
    qsizetype digit = m_pos + 1;
    if (c == u'-' && unary)
        while (digit < m_end && isSpace(m_text[digit].unicode()) && !isLineEnd(m_text[digit].unicode()))
            ++digit;
    if (isDigit(c) || (c == u'.' && isDigit(after))) {
        number(token, m_pos);
    } else if (c == u'-' && unary && digit < m_end && isDigit(m_text[digit].unicode())) {
        number(token, digit);
        token.number.negative = true;
    } else if (isAsciiLetter(c) || c == u'_') {
        qsizetype end = m_pos;
        while (end < m_end && isWordChar(m_text[end].unicode()))
            ++end;
        const QStringView word = m_text.mid(m_pos, end - m_pos);
        if (end < m_end && (m_text[end] == u'"' || m_text[end] == u'\'') &&
            (word == u"L" || word == u"u" || word == u"U" || word == u"u8")) {
            quoted(token, end - m_pos);
        } else {
            token.kind = isArduinoBinary(word) ? Token::Kind::Number : Token::Kind::Identifier;
            if (token.kind == Token::Kind::Number) {
                for (QChar d : word.mid(1))
                    token.number.magnitude = token.number.magnitude * 2 + (d == u'1');
                token.number.base = Number::Base::Binary;
                token.number.arduino = true;
            }
            token.size = end - m_pos;
            m_pos = end;
        }
    } else if (c == u'"' || c == u'\'') {
        quoted(token, 0);
    } else if (c < 0x80 && c > 0x20) {
        token.kind = Token::Kind::Punct;
        token.punct = c;
        token.size = 1;
        ++m_pos;
    } else {
        token.kind = Token::Kind::Other;
        token.size = QChar::isHighSurrogate(c) && QChar::isLowSurrogate(after) ? 2 : 1;
        m_pos += token.size;
    }
    m_last = token.kind;
    m_lastPunct = token.punct;
    return true;
}

void Lexer::number(Token &token, qsizetype from)
{
    qsizetype end = from;
    while (end < m_end) {
        const char16_t c = m_text[end].unicode();
        const char16_t after = end + 1 < m_end ? m_text[end + 1].unicode() : 0;
        if ((c == u'e' || c == u'E' || c == u'p' || c == u'P') && (after == u'+' || after == u'-'))
            end += 2;
        else if (isWordChar(c) || c == u'.' || (c == u'\'' && isWordChar(after)))
            ++end;
        else
            break;
    }
    token.kind = readInteger(m_text.mid(from, end - from), token.number) ? Token::Kind::Number : Token::Kind::BadNumber;
    token.size = end - token.start;
    m_pos = end;
}

void Lexer::quoted(Token &token, qsizetype prefix)
{
    const char16_t quote = m_text[m_pos + prefix].unicode();
    token.kind = quote == u'"' ? Token::Kind::String : Token::Kind::Char;
    qsizetype end = m_pos + prefix + 1;
    token.innerStart = end;
    while (end < m_end && !isLineEnd(m_text[end].unicode()) && m_text[end] != quote)
        end += m_text[end] == u'\\' && end + 1 < m_end && !isLineEnd(m_text[end + 1].unicode()) ? 2 : 1;
    end = std::min(end, m_end);
    token.innerSize = end - token.innerStart;
    if (end < m_end && m_text[end] == quote)
        ++end;
    token.size = end - token.start;
    m_pos = end;
}

void Lexer::comment(Token &token)
{
    token.kind = Token::Kind::Comment;
    token.innerStart = m_pos + 2;
    const bool block = m_text[m_pos + 1] == u'*';
    m_pos += 2;
    qsizetype innerEnd = m_end;
    while (m_pos < m_end) {
        const char16_t c = m_text[m_pos].unicode();
        if (block && c == u'*' && m_pos + 1 < m_end && m_text[m_pos + 1] == u'/') {
            innerEnd = m_pos;
            m_pos += 2;
            break;
        }
        if (isLineEnd(c)) {
            // A // comment goes on past a line end only behind a backslash.
            if (!block && (m_pos == token.innerStart || m_text[m_pos - 1] != u'\\')) {
                innerEnd = m_pos;
                break;
            }
            lineEnd();
            continue;
        }
        ++m_pos;
    }
    token.innerSize = std::max<qsizetype>(0, std::min(innerEnd, m_pos) - token.innerStart);
    token.size = m_pos - token.start;
    qsizetype rest = m_pos;
    while (rest < m_end && isSpace(m_text[rest].unicode()) && !isLineEnd(m_text[rest].unicode()))
        ++rest;
    token.endsLine = rest >= m_end || isLineEnd(m_text[rest].unicode());
}

void Lexer::directive(Token &token)
{
    token.kind = Token::Kind::Directive;
    while (m_pos < m_end) {
        const char16_t c = m_text[m_pos].unicode();
        const char16_t after = m_pos + 1 < m_end ? m_text[m_pos + 1].unicode() : 0;
        if (c == u'/' && after == u'/')
            break; // the comment is a token of its own
        if (c == u'/' && after == u'*') {
            Token inner;
            comment(inner);
            continue;
        }
        if (c == u'\\' && isLineEnd(after)) {
            ++m_pos;
            lineEnd();
            continue;
        }
        if (isLineEnd(c))
            break;
        ++m_pos;
    }
    token.size = m_pos - token.start;
}

namespace {

// Where the scan stands inside a pair of braces, or outside all of them.
struct Level
{
    int array = -1;        // the initializer; -1 for a block or the outside
    bool keeps = false;    // its elements are kept
    int nesting = 0;       // ( and [ open in the current element
    qsizetype pending = 0; // where its elements begin among those of the levels open
    Element element;
    bool firstIsNumber = false;
};

void addToken(Level &level, const Token &token)
{
    Element &e = level.element;
    if (e.tokens == 0) {
        e.start = token.start;
        e.line = token.line;
        level.firstIsNumber = token.kind == Token::Kind::Number;
        e.number = token.number;
    }
    ++e.tokens;
    e.end = token.start + token.size;
    if (token.kind == Token::Kind::Punct && (token.punct == u'(' || token.punct == u'['))
        ++level.nesting;
    else if (token.kind == Token::Kind::Punct && (token.punct == u')' || token.punct == u']') && level.nesting > 0)
        --level.nesting;
}

// What a declaration's tokens up to its = or ] say of the array after it.
void declare(const QList<Token> &statement, QStringView text, Array &array, QList<qint64> &sizes)
{
    qsizetype nameAt = -1;
    for (qsizetype i = 1; i < statement.size() && nameAt < 0; ++i)
        if (statement[i].kind == Token::Kind::Punct && statement[i].punct == u'[' &&
            statement[i - 1].kind == Token::Kind::Identifier)
            nameAt = i - 1;
    if (nameAt >= 0) {
        for (qsizetype i = nameAt + 1; i < statement.size() && statement[i].punct == u'[';) {
            qsizetype close = i + 1;
            while (close < statement.size() && statement[close].punct != u']')
                ++close;
            const bool plain = close == i + 2 && statement[i + 1].kind == Token::Kind::Number &&
                               !statement[i + 1].number.negative && !statement[i + 1].number.tooWide &&
                               statement[i + 1].number.magnitude <= std::uint64_t(std::numeric_limits<qint64>::max());
            sizes << (plain ? qint64(statement[i + 1].number.magnitude) : -1);
            i = close + 1;
        }
    } else {
        for (qsizetype i = statement.size() - 1; i >= 0 && nameAt < 0; --i)
            if (statement[i].kind == Token::Kind::Identifier &&
                text.mid(statement[i].start, statement[i].size) != u"PROGMEM")
                nameAt = i;
    }
    if (nameAt < 0)
        return;
    array.name = text.mid(statement[nameAt].start, statement[nameAt].size);
    if (nameAt > 0)
        array.type =
            text.mid(statement[0].start, statement[nameAt - 1].start + statement[nameAt - 1].size - statement[0].start);
    if (!sizes.isEmpty())
        array.declaredSize = sizes[0];
}

} // namespace

Scan::Scan(QStringView text, Limits limits) : m_text(text)
{
    constexpr qsizetype LongestDeclaration = 64; // tokens kept back for a name
    int deep = 0;                                // braces open past the deepest nesting kept
    QList<Level> levels(1);
    levels.reserve(DeepestNesting + 2);
    levels[0].keeps = true;
    // The elements of the levels open, each level's above its parent's: a
    // level's move to m_elements when it closes, so that every array's
    // stand side by side with no list of their own.
    std::vector<Element> pending;
    // Each element and array takes a character and its separator at least:
    // room for all from the start copies none as they grow, and pages never
    // written cost nothing.
    const std::size_t most = std::size_t(text.size() / 2 + 2);
    pending.reserve(most);
    m_elements.reserve(most);
    m_arrays.reserve(limits.arrays >= 0 ? std::min(qsizetype(most), limits.arrays + 1) : qsizetype(most));
    qsizetype leaves = 0;
    qsizetype values = 0;
    int tokenLine = -1; // of the last token that was no comment
    QList<Token> statement;
    QList<qint64> sizes; // of the outermost initializer open
    Token last;          // the last token that was no comment
    last.kind = Token::Kind::Punct, last.punct = u';';

    const auto finish = [&](Level &level) {
        Element &e = level.element;
        if (level.keeps && e.tokens > 0) {
            e.kind = e.tokens == 1 && level.firstIsNumber ? Element::Kind::Value
                     : e.tokens == 1 && e.array >= 0      ? Element::Kind::Array
                                                          : Element::Kind::Other;
            if (e.kind != Element::Kind::Value)
                e.number = Number();
            if (level.array >= 0)
                m_arrays[level.array].children += e.array >= 0;
            values += e.kind == Element::Kind::Value;
            pending.push_back(e);
            // Past the outside's first Other a reader wanting none reads no further.
            if (level.array < 0 && e.kind == Element::Kind::Other && !limits.outsideAfterOther)
                level.keeps = false;
        }
        level.element = Element();
        level.nesting = 0;
        if (limits.values >= 0 && values > limits.values)
            m_stopped = Stop::Values;
    };
    const auto close = [&](Level &level) {
        finish(level);
        if (level.array < 0)
            return;
        Array &array = m_arrays[level.array];
        array.first = qsizetype(m_elements.size());
        array.count = qsizetype(pending.size()) - level.pending;
        m_elements.insert(m_elements.end(), pending.begin() + level.pending, pending.end());
        pending.resize(std::size_t(level.pending));
        leaves += array.children == 0;
        if (limits.leaves >= 0 && leaves > limits.leaves)
            m_stopped = Stop::Leaves;
    };

    Lexer lexer(text);
    Token token;
    qsizetype tokens = 0;
    while (m_stopped == Stop::None && lexer.next(token)) {
        if (limits.tokens >= 0 && ++tokens > limits.tokens) {
            m_stopped = Stop::Tokens;
            break;
        }
        if (token.kind == Token::Kind::Comment) {
            if (token.endsLine && token.line == lexer.line() && (limits.bareComments || token.line == tokenLine)) {
                const QStringView inner = text.mid(token.innerStart, token.innerSize).trimmed();
                const qsizetype at = inner.isEmpty() ? token.innerStart : inner.data() - text.data();
                m_comments.push_back(LineComment{token.line, at, inner.size()});
            }
            continue;
        }
        tokenLine = token.line;
        if (token.kind == Token::Kind::Directive) {
            statement.clear();
            last.kind = Token::Kind::Punct, last.punct = u';';
            continue;
        }
        Level &top = levels.last();
        const bool punct = token.kind == Token::Kind::Punct;
        if (punct && (token.punct == u'{' || (token.punct == u'}' && deep > 0)) &&
            (deep > 0 || levels.size() > DeepestNesting)) {
            deep += token.punct == u'{' ? 1 : -1;
            addToken(top, token);
        } else if (punct && token.punct == u'{') {
            const bool inInitializer = top.array >= 0;
            const bool initializer = inInitializer || (last.kind == Token::Kind::Punct &&
                                                       QStringView(u"=],;{}(").contains(QChar(last.punct)));
            if (levels.size() == 1 && !pending.empty()) {
                // The outside is kept only where no braces follow.
                values -= std::count_if(pending.begin(), pending.end(),
                                        [](const Element &e) { return e.kind == Element::Kind::Value; });
                pending.clear();
            }
            levels[0].keeps = false;
            Level next;
            next.pending = qsizetype(pending.size());
            if (initializer) {
                Array array;
                array.start = token.start;
                array.line = token.line;
                array.end = text.size();
                if (inInitializer) {
                    array.parent = top.array;
                    array.depth = m_arrays[top.array].depth + 1;
                    array.declaredSize = array.depth < sizes.size() ? sizes[array.depth] : -1;
                } else {
                    sizes.clear();
                    if (statement.size() > LongestDeclaration)
                        statement.remove(0, statement.size() - LongestDeclaration);
                    declare(statement, text, array, sizes);
                }
                next.array = int(m_arrays.size());
                next.keeps = true;
                m_arrays << array;
                if (limits.arrays >= 0 && m_arrays.size() > limits.arrays)
                    m_stopped = Stop::Arrays;
            } else {
                ++m_blocks;
            }
            addToken(top, token);
            if (top.element.array < 0)
                top.element.array = next.array;
            levels << next;
            statement.clear();
        } else if (punct && token.punct == u'}' && levels.size() > 1) {
            if (top.array >= 0) {
                m_arrays[top.array].end = token.start + 1;
                m_arrays[top.array].endLine = token.line;
            }
            close(top);
            levels.removeLast();
            levels.last().element.end = token.start + 1;
            statement.clear();
        } else if (punct && (token.punct == u',' || token.punct == u';') && top.nesting == 0) {
            finish(top);
            statement.clear();
        } else if (punct && token.punct == u'}') { // closes nothing open: no declaration goes on past it
            addToken(top, token);
            statement.clear();
        } else {
            addToken(top, token);
            // The last LongestDeclaration tokens are kept, a run of them
            // dropped at once rather than one a token.
            if (statement.size() == 2 * LongestDeclaration)
                statement.remove(0, LongestDeclaration);
            statement << token;
        }
        last = token;
    }
    while (levels.size() > 1) {
        close(levels.last());
        levels.removeLast();
    }
    finish(levels.last());
    m_outsideFirst = qsizetype(m_elements.size());
    m_outsideCount = qsizetype(pending.size());
    if (m_elements.empty())
        m_elements.swap(pending); // values pasted alone, never copied
    else
        m_elements.insert(m_elements.end(), pending.begin(), pending.end());
    m_lines = lexer.line() + 1;
}

QStringView Scan::lineComment(int line) const
{
    const auto at = std::lower_bound(m_comments.begin(), m_comments.end(), line,
                                     [](const LineComment &c, int l) { return c.line < l; });
    if (at == m_comments.end() || at->line != line)
        return {};
    return m_text.mid(at->start, at->size);
}

} // namespace CSource
