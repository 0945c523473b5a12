#pragma once

#include <QList>
#include <QStringView>

#include <cstdint>
#include <vector>

// A scanner of C and Arduino source text, for reading values back from code
// people paste or open: one glyph's array, a header of many, a font table.
// It reads integer literals exactly as a C compiler does and finds every
// array initializer with its declared name and size, its elements with the
// line each stood on, and the comment that ends each line. It is no compiler:
// it never fails, and text that is not C comes out as tokens of no meaning
// (Other, BadNumber) for its caller to refuse.
//
// Both classes keep views into the text, which must outlive them. Time and
// memory are linear in the text's length, with no recursion, so that a text
// of a few MB is safe whatever it holds; a reader that wants no more than so
// many arrays or values has the scan stop as soon as the text holds more.
//
// Two ways in:
// - Lexer hands out one token at a time (comments included), for a caller
//   that looks at the text's structure itself;
// - Scan reads the whole text once and keeps what a reader of glyphs needs:
//   arrays(), outside() (the elements between no braces at all) and
//   lineComment().
//
// Reading a set of glyphs from it, with no further scanning of C:
// - one array per glyph (a header, an Arduino sketch): every outermost
//   array(), its name and elements(array);
// - a font table `{ 0x0C, 0x1E, ... },   // U+0041 (A)`: the arrays whose
//   parent is the table, each named by lineComment(endLine);
// - a flat table `0x7C, 0x12, 0x11, 0x12, 0x7C,  // 'A'`: the table's
//   elements grouped by their line, each line named by lineComment(line);
// - `const uint64_t IMAGES[] = { 0x3e2222223e3e0808, ... };`: type says
//   uint64_t and every element is one Number of up to 64 bits.
namespace CSource {

// Characters that show nothing, as text copied from web pages carries them:
// zero-width spaces and joiners, byte-order marks, direction marks,
// embeddings, overrides and isolates. Outside strings and comments they are
// white space.
bool isInvisible(char32_t c);

// An integer literal as C reads it (with C23's and C++14's ' between digits),
// or one of Arduino's binary names B0 .. B11111111 (1 to 8 binary digits).
struct Number
{
    enum class Base : std::uint8_t { Binary, Octal, Decimal, Hex };

    std::uint64_t magnitude = 0; // saturated where tooWide
    Base base = Base::Decimal;   // a lone 0 is decimal; 00 and 017 are octal
    bool negative = false;       // written after a unary minus
    bool tooWide = false;        // more than 64 bits
    bool arduino = false;        // a B name, not a literal of C

    int bits() const; // significant bits of magnitude: 0 for 0, 8 for 0xFF
};

struct Token
{
    enum class Kind : std::uint8_t {
        Number,     // number holds it; a unary minus before it is part of it
        BadNumber,  // starts like a number but is no integer C reads: 3C, 08, 0x, 1.5, 12Q
        Identifier, // [A-Za-z_][A-Za-z0-9_]*, not an Arduino B name
        String,     // "...", with a prefix (L, u, U, u8) if written; unended: to the line's end
        Char,       // '...', as String
        Punct,      // one ASCII punctuation character: punct
        Other,      // any other character, one code point (full-width digits, letters of other scripts)
        Comment,    // // to the line's end (with C's \ continuations), or /* */
        Directive,  // a preprocessor line, # to its end, its comments excluded
    };

    Kind kind = Kind::Other;
    char16_t punct = 0;    // Punct: the character
    bool endsLine = false; // Comment: nothing but white space follows it on its last line
    int line = 0;          // of its first character, from 0
    qsizetype start = 0;   // in the text
    qsizetype size = 0;
    qsizetype innerStart = 0; // String, Char: between the quotes; Comment: between its marks
    qsizetype innerSize = 0;
    Number number; // Number
};

// Line ends are LF, CR, CR LF, U+0085, U+2028 and U+2029: a text with CR
// alone (old Macintosh files) ends its // comments where it ends its lines.
class Lexer
{
public:
    // Reads text[begin, end) (end -1: to the text's end) counting lines from
    // line; begin should not fall inside a comment or string.
    explicit Lexer(QStringView text, qsizetype begin = 0, qsizetype end = -1, int line = 0);

    // The next token; false at the end. White space, line ends and invisible
    // characters only separate tokens.
    bool next(Token &token);

    int line() const { return m_line; } // where the lexer stands

private:
    void skipSpace();
    void lineEnd();
    void comment(Token &token);
    void quoted(Token &token, qsizetype prefix);
    void directive(Token &token);
    void number(Token &token, qsizetype from);

    QStringView m_text;
    qsizetype m_pos;
    qsizetype m_end;
    int m_line;
    bool m_lineStart = true;                 // only white space so far on this line
    Token::Kind m_last = Token::Kind::Punct; // the last token that was no comment
    char16_t m_lastPunct = u';';
};

// One item of an initializer, between its commas (a ; counts as a comma, as
// pasted listings have them); empty items (a trailing comma) are left out.
struct Element
{
    enum class Kind : std::uint8_t {
        Value, // a single Number: number
        Array, // a single nested initializer: array
        Other, // anything else (strings, identifiers, casts, several numbers)
    };

    Kind kind = Kind::Other;
    int line = 0;        // of its first token
    int tokens = 0;      // how many tokens it holds, comments not counted
    int array = -1;      // Array: the nested one; Other: its first nested one, if any
    qsizetype start = 0; // from its first token to the end of its last
    qsizetype end = 0;
    Number number;
};

// Braces nested deeper than this are no array or block of their own: they
// and what they hold are tokens of the element around them.
constexpr int DeepestNesting = 16;

// A brace list that initializes: after =, after ] (C++), after , ; { } or at
// the text's start (a list pasted alone), or inside another initializer.
// Braces after ) or a word (function bodies, struct definitions) are blocks,
// and what they hold is in no element.
struct Array
{
    QStringView name;         // the declared name: Heart in `byte Heart[] = {`; empty if none
    QStringView type;         // the words before the name: `const uint8_t`; PROGMEM after it is left out
    qint64 declaredSize = -1; // this level's size as written, [8]; -1 where no plain number is written
    int parent = -1;          // the initializer this one is an element of; -1 for an outermost one
    int depth = 0;            // 0 outermost
    int children = 0;         // how many of its elements hold an initializer
    int line = 0;             // of its {
    int endLine = -1;         // of its }; -1 where the text ends first
    qsizetype start = 0;      // of its {
    qsizetype end = 0;        // after its }, or the text's end
    qsizetype first = 0;      // of its elements, in Scan's one list: Scan::elements()
    qsizetype count = 0;
};

// Elements side by side in Scan's one list: an array's, or the outside's.
class Elements
{
public:
    Elements() = default;
    Elements(const Element *first, qsizetype count) : m_first(first), m_count(count) {}

    const Element *begin() const { return m_first; }
    const Element *end() const { return m_first + m_count; }
    qsizetype size() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }
    const Element &operator[](qsizetype i) const { return m_first[i]; }

private:
    const Element *m_first = nullptr;
    qsizetype m_count = 0;
};

// How much a reader wants at most: -1 for no bound; false for none of it.
struct Limits
{
    qsizetype arrays = -1;         // initializers
    qsizetype leaves = -1;         // initializers that hold no initializer
    qsizetype values = -1;         // Value elements, in initializers and outside
    qsizetype tokens = -1;         // tokens of any kind, comments included
    bool bareComments = true;      // line comments on lines that hold no token of their own
    bool outsideAfterOther = true; // outside elements after the first Other one
};

class Scan
{
public:
    // Where the text holds more than limits allow, the scan stops there:
    // what it keeps is the text's start, for its reader to refuse.
    enum class Stop : std::uint8_t { None, Arrays, Leaves, Values, Tokens };

    explicit Scan(QStringView text, Limits limits = Limits());

    QStringView text() const { return m_text; }
    QStringView text(const Element &element) const { return m_text.mid(element.start, element.end - element.start); }
    QStringView text(const Token &token) const { return m_text.mid(token.start, token.size); }
    QStringView inner(const Token &token) const { return m_text.mid(token.innerStart, token.innerSize); }

    // Every initializer, in the order of its {: a nested one after its parent.
    const QList<Array> &arrays() const { return m_arrays; }
    Elements elements(const Array &array) const { return Elements(m_elements.data() + array.first, array.count); }
    // The elements outside every pair of braces, a directive's excluded:
    // values pasted without their array. Kept only in a text with no
    // braces: around arrays or blocks they are declarations and statements.
    Elements outside() const { return Elements(m_elements.data() + m_outsideFirst, m_outsideCount); }
    // How many brace pairs are blocks rather than initializers.
    int blocks() const { return m_blocks; }
    // Which limit the text went past; None where it was read to its end.
    Stop stopped() const { return m_stopped; }

    int lineCount() const { return m_lines; }
    // The comment that ends a line (without // or /* */, trimmed): a //
    // comment, or a /* */ one begun on that line with nothing after it;
    // empty where none, or where the line holds no other token and the
    // limits wanted no bare comments.
    QStringView lineComment(int line) const;

private:
    struct LineComment
    {
        int line;
        qsizetype start;
        qsizetype size;
    };

    QStringView m_text;
    QList<Array> m_arrays;
    std::vector<Element> m_elements; // each array's side by side, in the order their } close them; the outside's last
    qsizetype m_outsideFirst = 0;
    qsizetype m_outsideCount = 0;
    std::vector<LineComment> m_comments; // in line order, one per line at most
    int m_blocks = 0;
    int m_lines = 1;
    Stop m_stopped = Stop::None;
};

} // namespace CSource
