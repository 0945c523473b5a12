#include "SetReader.h"

#include "CSource.h"
#include "ListingReader.h"
#include "PasteRefusal.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringDecoder>

#include <algorithm>
#include <limits>

namespace SetReader {

namespace {

using Form = Found::Form;
using Grouping = Found::Grouping;
using Problem = Found::Problem;
using CSource::Element;

constexpr int LongestShown = 32;         // of a token or name quoted in a message
constexpr qsizetype LongestChunk = 4000; // of a listing's line handed to ListingReader at once

QString tr(const char *text)
{
    return QCoreApplication::translate("SetReader", text);
}

// Counts in messages as the program's English has them: 1,024.
QString count(qint64 n)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(n);
}

QString values(qint64 n)
{
    return n == 1 ? tr("1 value") : tr("%1 values").arg(count(n));
}

// Text from the input as a message quotes it: one line, cut short, every
// character that shows nothing or could turn the sentence named by its code.
QString quoted(QStringView text)
{
    const qsizetype lineEnd =
        std::find_if(text.begin(), text.end(), [](QChar c) { return c == u'\n' || c == u'\r' || c == QChar(0x2028); }) -
        text.begin();
    QStringView shown = text.left(std::min<qsizetype>(lineEnd, LongestShown));
    if (shown.size() < text.size() && !shown.isEmpty() && shown.back().isHighSurrogate())
        shown.chop(1);
    QString out = PasteRefusal::shown(shown);
    if (shown.size() < text.size())
        out += QChar(0x2026);
    return out;
}

// "Glyph 3", or where it begins no sentence "glyph 3"; its name beside it.
QString glyphWords(qsizetype index, const QString &name, bool begins = true)
{
    if (name.isEmpty())
        return (begins ? tr("Glyph %1") : tr("glyph %1")).arg(count(index + 1));
    return (begins ? tr("Glyph %1 (\"%2\")") : tr("glyph %1 (\"%2\")")).arg(count(index + 1), quoted(name));
}

QString layoutWords(const GlyphLayout &layout)
{
    return tr("the layout \"%1\" at %2x%3").arg(layout.name()).arg(layout.width()).arg(layout.height());
}

QString hex(std::uint64_t value)
{
    return QString::number(value, 16).toUpper();
}

// The values a layout takes, to end a sentence.
QString range(const GlyphLayout &layout)
{
    const std::uint64_t mask = layout.valueMask();
    const QString most = tr("%1 (%2)").arg(hex(mask), QString::number(mask));
    if ((mask & (mask + 1)) == 0)
        return tr("values from 0 to %1").arg(most);
    return tr("multiples of %1 from 0 to %2").arg(QString::number(mask & (~mask + 1)), most);
}

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar(0x85) || c == QChar(0x2028) || c == QChar(0x2029);
}

// The characters of the program's listings, as ListingReader tells them
// from code: any other makes a text C.
bool isListingChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F') || u == u'$' || u == u'&' ||
           u == u'H' || u == u'x' || u == u'X' || u == u',' || u == u'"' || c.isSpace() || CSource::isInvisible(u);
}

bool isListingSeparator(QChar c)
{
    return c == u',' || c == u'"' || c.isSpace() || CSource::isInvisible(c.unicode());
}

Form formOf(const CSource::Number &number)
{
    switch (number.base) {
    case CSource::Number::Base::Binary:
        return number.arduino ? Form::ArduinoBinary : Form::Binary;
    case CSource::Number::Base::Octal:
        return Form::Octal;
    case CSource::Number::Base::Hex:
        return Form::Hex;
    case CSource::Number::Base::Decimal:
        break;
    }
    return Form::Decimal;
}

Found refused(Problem problem, const QString &message)
{
    Found found;
    found.problem = problem;
    found.message = message;
    return found;
}

// No layout takes more than MaxSize values a glyph.
constexpr qsizetype MostValues = qsizetype(MostGlyphs) * GlyphLayout::MaxSize;

// A table's, and two for each glyph: a struct's braces around its array.
constexpr qsizetype MostArrays = 2 * qsizetype(MostGlyphs) + 1;

// Words, numbers and signs: a value and its comma are two, and a glyph's
// braces, name and comment a few more; eight a value leave room for all.
constexpr qsizetype MostTokens = 8 * MostValues;

// Past these a text can be no set, and is refused before it is all read.
Found tooManyArrays(bool innermost)
{
    return refused(Problem::TooMany,
                   innermost ? tr("The text holds more than %1 innermost arrays in braces, a glyph each; a set holds "
                                  "at most %1 glyphs.")
                                   .arg(count(MostGlyphs))
                             : tr("The text holds more than %1 arrays in braces; a set of at most %2 glyphs holds "
                                  "fewer.")
                                   .arg(count(MostArrays), count(MostGlyphs)));
}

Found tooManyTokens()
{
    return refused(Problem::TooMany, tr("The text holds more than %1 words, numbers and signs; a set of at most %2 "
                                        "glyphs is written in far fewer.")
                                         .arg(count(MostTokens), count(MostGlyphs)));
}

Found tooManyValues()
{
    return refused(Problem::TooMany, tr("The text holds more than %1 values; a set holds at most %2 glyphs of up to "
                                        "%3 values.")
                                         .arg(count(MostValues), count(MostGlyphs))
                                         .arg(GlyphLayout::MaxSize));
}

Found noValues()
{
    return refused(Problem::NoValues, tr("No values were found in the text: a set of glyphs is an array of values in "
                                         "C, or ZENTIL's listings, one glyph per line."));
}

// Values collected with the line each stood on, then grouped.
class Reading
{
public:
    Found found;

    void reserve(qsizetype n)
    {
        found.values.reserve(std::size_t(n));
        found.forms.reserve(std::size_t(n));
        m_lines.reserve(std::size_t(n));
    }

    void add(std::uint64_t value, Form form, int line)
    {
        found.values.push_back(value);
        found.forms.push_back(form);
        found.used |= value;
        m_lines.push_back(line);
    }

    bool refuse(int line, const QString &what)
    {
        found.problem = Problem::NotValues;
        found.message = tr("Line %1 holds %2").arg(count(line + 1), what);
        return false;
    }

    // Values of C; false (with the problem said) for anything else.
    bool take(const Element &element, const CSource::Scan &scan)
    {
        if (element.kind != Element::Kind::Value)
            return refuse(
                element.line,
                tr("\"%1\", which is not a value: a set holds numbers only.").arg(quoted(scan.text(element))));
        const CSource::Number &number = element.number;
        if (number.tooWide)
            return refuse(element.line, tr("\"%1\", which is more than 64 bits.").arg(quoted(scan.text(element))));
        if (number.negative && number.magnitude != 0)
            return refuse(element.line, tr("\"%1\", which is less than 0.").arg(quoted(scan.text(element))));
        add(number.magnitude, formOf(number), element.line);
        return true;
    }

    // The values from first on as the groups of one flat array, or of none.
    void flat(qsizetype first, const CSource::Scan *scan, const QString &name, qint64 declared, bool array,
              bool wideType)
    {
        const qsizetype n = found.valueCount() - first;
        const bool wide = wideType || std::any_of(found.values.begin() + first, found.values.end(),
                                                  [](std::uint64_t v) { return v > 0xFFFFFFFFu; });
        if (wide)
            return; // images, split one per glyph by the layout
        if (array && (n <= GlyphLayout::MaxSize || (declared >= 1 && declared <= GlyphLayout::MaxSize))) {
            addGroup(first, int(n), declared, name);
            found.grouping = Grouping::Arrays;
            return;
        }
        // Lines that hold as many values each.
        int perLine = 0;
        bool commented = false;
        for (qsizetype i = first; i < found.valueCount();) {
            qsizetype end = i;
            while (end < found.valueCount() && m_lines[std::size_t(end)] == m_lines[std::size_t(i)])
                ++end;
            if (perLine != 0 && perLine != end - i)
                return;
            perLine = int(std::min<qsizetype>(end - i, GlyphLayout::MaxSize + 1));
            commented = commented || (scan && !scan->lineComment(m_lines[std::size_t(i)]).isEmpty());
            i = end;
        }
        if (perLine > GlyphLayout::MaxSize || perLine == 0 || (perLine == 1 && !commented))
            return;
        for (qsizetype i = first; i < found.valueCount(); i += perLine) {
            const int line = m_lines[std::size_t(i)];
            addGroup(i, perLine, 0, scan ? scan->lineComment(line).toString() : QString());
        }
        found.grouping = Grouping::Lines;
    }

    void addGroup(qsizetype first, int n, qint64 declared, const QString &name)
    {
        Found::Group group;
        group.first = first;
        group.count = n;
        group.declared = declared > n ? int(std::min<qint64>(declared, std::numeric_limits<int>::max())) : 0;
        group.name = name;
        found.groups.push_back(std::move(group));
    }

    Found finish()
    {
        if (!found.ok())
            return refused(found.problem, found.message);
        if (found.values.empty())
            return noValues();
        if (!found.groups.empty()) {
            const auto size = [](const Found::Group &g) { return std::max(g.count, g.declared); };
            const int first = size(found.groups.front());
            const bool same = std::all_of(found.groups.begin(), found.groups.end(),
                                          [&](const Found::Group &g) { return size(g) == first; });
            found.perGlyph = same ? first : 0;
        } else {
            found.grouping = Grouping::None;
        }
        return std::move(found);
    }

private:
    std::vector<int> m_lines;
};

// C and Arduino code: the values of its initializers, or of the text
// outside any where it has none.
Found readCode(QStringView text)
{
    CSource::Limits limits;
    limits.arrays = MostArrays;
    limits.leaves = MostGlyphs;
    limits.values = MostValues;
    limits.tokens = MostTokens;
    limits.bareComments = false;      // a glyph's name ends a line of its values or braces
    limits.outsideAfterOther = false; // where the outside is read, its first Other refuses it
    const CSource::Scan scan(text, limits);
    if (scan.stopped() != CSource::Scan::Stop::None)
        return scan.stopped() == CSource::Scan::Stop::Values   ? tooManyValues()
               : scan.stopped() == CSource::Scan::Stop::Tokens ? tooManyTokens()
                                                               : tooManyArrays(scan.stopped() == CSource::Scan::Stop::Leaves);
    Reading reading;
    const QList<CSource::Array> &arrays = scan.arrays();
    QList<qsizetype> leaves; // initializers of values, not of arrays
    bool nested = false;
    for (qsizetype i = 0; i < arrays.size(); ++i) {
        const CSource::Array &a = arrays[i];
        const CSource::Elements elements = scan.elements(a);
        if (a.children == 0 && std::any_of(elements.begin(), elements.end(),
                                           [](const Element &e) { return e.kind == Element::Kind::Value; })) {
            leaves << i;
            nested = nested || a.depth > 0;
        }
    }
    const auto wideType = [](const CSource::Array &a) { return a.type.contains(u"64"); };
    if (leaves.isEmpty()) {
        if (!arrays.isEmpty() || scan.blocks() > 0)
            return noValues();
        reading.reserve(scan.outside().size());
        for (const Element &element : scan.outside())
            if (!reading.take(element, scan))
                return reading.finish();
        reading.flat(0, &scan, QString(), -1, false, false);
        return reading.finish();
    }
    if (leaves.size() == 1 && !nested) {
        const CSource::Array &a = arrays[leaves[0]];
        reading.reserve(a.count);
        for (const Element &element : scan.elements(a))
            if (!reading.take(element, scan))
                return reading.finish();
        reading.flat(0, &scan, a.name.toString(), a.declaredSize, true, wideType(a));
        return reading.finish();
    }
    // Every innermost initializer a glyph; one of images a glyph per value.
    for (qsizetype leaf : leaves) {
        const CSource::Array &a = arrays[leaf];
        const qsizetype first = reading.found.valueCount();
        for (const Element &element : scan.elements(a))
            if (!reading.take(element, scan))
                return reading.finish();
        qsizetype root = leaf;
        while (arrays[root].parent >= 0)
            root = arrays[root].parent;
        const qsizetype n = reading.found.valueCount() - first;
        if (wideType(arrays[root]) || std::any_of(reading.found.values.begin() + first, reading.found.values.end(),
                                                  [](std::uint64_t v) { return v > 0xFFFFFFFFu; })) {
            for (qsizetype i = 0; i < n; ++i)
                reading.addGroup(first + i, 1, 0, QString());
            continue;
        }
        QString name;
        if (a.depth == 0)
            name = a.name.toString();
        else if (!scan.lineComment(a.endLine).isEmpty())
            name = scan.lineComment(a.endLine).toString();
        else
            name = scan.lineComment(a.line).toString();
        reading.addGroup(first, int(n), a.declaredSize, name);
    }
    reading.found.grouping = nested ? Grouping::Braces : Grouping::Arrays;
    return reading.finish();
}

// One piece of a listing's line, as a panel reads it: every value hex.
bool readListed(QStringView chunk, int line, Reading &reading)
{
    using R = ListingReader::Result;
    R read = ListingReader::read(chunk, GlyphLayout::MaxSize);
    if (read.problem == R::Problem::Count && read.found > 0) {
        read = ListingReader::read(chunk, read.found);
    } else if (read.problem == R::Problem::Ambiguous) {
        // A run of digits with nothing between: two to a value, or one.
        qsizetype digits = 0;
        for (QChar c : chunk)
            digits += !isListingSeparator(c);
        read = ListingReader::read(chunk, int(digits % 2 == 0 ? digits / 2 : digits));
    }
    if (read.problem == R::Problem::Count && read.found == 0)
        return true; // nothing but separators
    if (!read.ok()) {
        const QString token = quoted(read.token);
        switch (read.problem) {
        case R::Problem::OverFF:
        case R::Problem::Wide:
            return reading.refuse(line,
                                  tr("\"%1\", which is more than FF (255), the most a listed value is.").arg(token));
        case R::Problem::NotValues:
            return reading.refuse(line, tr("\"%1\", which is not a value in hex.").arg(token));
        case R::Problem::TwoWays:
            return reading.refuse(line, tr("\"%1\", which reads two ways: as C code and as a ZENTIL listing, in hex. "
                                           "Put C code's values in braces, or give every value one prefix.")
                                            .arg(token));
        default:
            return reading.refuse(line, tr("values that do not read as a ZENTIL listing."));
        }
    }
    using Base = CSource::Number::Base;
    const Form form = !read.code                  ? Form::Listed
                      : read.base == Base::Binary ? Form::Binary
                      : read.base == Base::Octal  ? Form::Octal
                      : read.base == Base::Hex    ? Form::Hex
                                                  : Form::Decimal;
    for (int value : read.values)
        reading.add(std::uint64_t(value), form, line);
    return true;
}

// ZENTIL's listings, a glyph per line.
Found readListing(QStringView text)
{
    // Every run between separators reads as a value or more, or is refused.
    qsizetype runs = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        runs += !isListingSeparator(text[i]) && (i == 0 || isListingSeparator(text[i - 1]));
    if (runs > MostValues)
        return tooManyValues();
    Reading reading;
    int line = 0;
    for (qsizetype start = 0; start <= text.size(); ++line) {
        if (reading.found.valueCount() > MostValues)
            return tooManyValues();
        qsizetype end = start;
        while (end < text.size() && !isLineEnd(text[end]))
            ++end;
        // ListingReader takes short texts: a long line in pieces cut between values.
        for (qsizetype from = start; from < end;) {
            qsizetype to = std::min(end, from + LongestChunk);
            if (to < end) {
                while (to > from && !isListingSeparator(text[to - 1]))
                    --to;
                if (to == from) {
                    reading.refuse(line, tr("\"%1\", which is not a value in hex.").arg(quoted(text.mid(from))));
                    return reading.finish();
                }
            }
            if (!readListed(text.mid(from, to - from), line, reading))
                return reading.finish();
            from = to;
        }
        if (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    reading.flat(0, nullptr, QString(), -1, false, false);
    return reading.finish();
}

Found tooLarge(qint64 size, bool bytes)
{
    return refused(Problem::TooLarge,
                   (bytes ? tr("The file is %1 bytes long; a set of glyphs is read from at most %2 bytes (4 MB).")
                          : tr("The text is %1 characters long; a set of glyphs is read from at most %2 characters "
                               "(4 MB)."))
                       .arg(count(size), count(LargestText)));
}

// One byte in twenty is much: text in another 8-bit encoding has a few.
bool mostlyInvalid(qint64 invalid, qint64 size)
{
    return invalid > 0 && invalid * 20 > size;
}

} // namespace

int Found::widest() const
{
    int bits = 0;
    for (std::uint64_t u = used; u; u >>= 1)
        ++bits;
    return bits;
}

GlyphLayout Found::suggested(GlyphLayout::Preset preset) const
{
    const GlyphLayout own(preset);
    if (own.lines() == GlyphLayout::Lines::Image)
        return own;
    const bool rows = own.lines() == GlyphLayout::Lines::Rows;
    const int lines = perGlyph >= 1 && perGlyph <= GlyphLayout::MaxSize ? perGlyph : own.valueCount();
    int length = rows ? own.width() : own.height();
    if (used != 0 && used <= 0xFF) {
        switch (own.bitOrder()) {
        case GlyphLayout::BitOrder::SevenFirst: {
            int lowest = 0;
            while (!(used >> lowest & 1u))
                ++lowest;
            length = GlyphLayout::MaxSize - lowest;
            break;
        }
        case GlyphLayout::BitOrder::ZeroFirst:
            length = widest();
            break;
        case GlyphLayout::BitOrder::ZeroLast:
            // Bit 0 at the right: a narrower guess would move every cell,
            // so never less than the preset's own (a character LCD's 5).
            length = std::max(widest(), length);
            break;
        }
    }
    return rows ? GlyphLayout(preset, length, lines) : GlyphLayout(preset, lines, length);
}

GlyphLayout::Preset Found::suggestedPreset(GlyphLayout::Preset lastUsed) const
{
    return widest() > GlyphLayout::MaxSize ? GlyphLayout::Preset::Image : lastUsed;
}

bool looksBinary(const QByteArray &bytes)
{
    if (bytes.contains('\0'))
        return true;
    qint64 invalid = 0;
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const unsigned char b = data[i];
        int follow = b < 0x80                 ? 0
                     : b >= 0xC2 && b <= 0xDF ? 1
                     : b >= 0xE0 && b <= 0xEF ? 2
                     : b >= 0xF0 && b <= 0xF4 ? 3
                                              : -1;
        qsizetype next = i + 1;
        for (int k = 0; k < follow; ++k, ++next) {
            if (next >= size || (data[next] & 0xC0) != 0x80) {
                follow = -1;
                break;
            }
        }
        if (follow < 0) {
            if (mostlyInvalid(++invalid, size))
                return true; // decided: no need to read on
            next = i + 1;
        }
        i = next;
    }
    return mostlyInvalid(invalid, size);
}

Found scan(QStringView text)
{
    if (text.size() > LargestText)
        return tooLarge(text.size(), false);
    qint64 replaced = 0;
    bool digits = false; // every value is written with one, B names and hex letters after a digit or B
    for (QChar c : text) {
        if (c.unicode() == 0)
            return refused(Problem::Binary,
                           tr("The text holds NUL characters: it is binary, not C source or a listing."));
        replaced += c.unicode() == QChar::ReplacementCharacter;
        digits |= (c.unicode() >= u'0' && c.unicode() <= u'9') || c.unicode() == u'B' || c.unicode() == u'$' ||
                  c.unicode() == u'&' || c.unicode() == u'H' || (c.unicode() >= u'A' && c.unicode() <= u'F') ||
                  (c.unicode() >= u'a' && c.unicode() <= u'f');
    }
    if (!digits) // nothing can be a value: no need to scan it
        return noValues();
    if (mostlyInvalid(replaced, text.size()))
        return refused(Problem::Binary, tr("The text is binary, not C source or a listing: %1 of its %2 characters "
                                           "are replacements for bytes that are not UTF-8.")
                                            .arg(count(replaced), count(text.size())));
    if (std::all_of(text.begin(), text.end(), isListingChar))
        return readListing(text);
    return readCode(text);
}

Found scanFile(const QByteArray &bytes)
{
    if (bytes.size() > LargestText)
        return tooLarge(bytes.size(), true);
    const std::optional<QStringConverter::Encoding> encoding = QStringConverter::encodingForData(bytes);
    if (encoding && *encoding != QStringConverter::Utf8) {
        QStringDecoder decoder(*encoding);
        return scan(QString(decoder(bytes)));
    }
    if (looksBinary(bytes))
        return refused(Problem::Binary,
                       bytes.contains('\0')
                           ? tr("The file holds NUL bytes: it is binary, not C source or a listing.")
                           : tr("The file is binary, not C source or a listing: much of it is not UTF-8 text."));
    return scan(QString::fromUtf8(bytes));
}

QString shownValue(std::uint64_t value, Form form)
{
    switch (form) {
    case Form::Decimal:
        return tr("%1 (decimal)").arg(value);
    case Form::Octal:
        return tr("0%1 (octal)").arg(QString::number(value, 8));
    case Form::Hex:
        return tr("0x%1 (hex)").arg(hex(value));
    case Form::Binary:
        return tr("0b%1 (binary)").arg(QString::number(value, 2));
    case Form::ArduinoBinary:
        return tr("B%1 (binary)").arg(QString::number(value, 2));
    case Form::Listed:
        break;
    }
    return tr("%1 (hex)").arg(hex(value));
}

Decoded decode(const Found &found, const GlyphLayout &layout)
{
    Decoded decoded;
    if (!found.ok()) {
        decoded.refusal = found.message;
        return decoded;
    }
    if (found.values.empty()) {
        decoded.refusal = noValues().message;
        return decoded;
    }
    const int wanted = layout.valueCount();
    const bool split = found.grouping == Grouping::None || found.groups.empty();
    const qsizetype glyphs = split ? found.valueCount() / wanted : qsizetype(found.groups.size());
    if (split && found.valueCount() % wanted != 0) {
        decoded.refusal = tr("The text holds %1 with nothing to tell its glyphs apart, and %2 takes %3 per glyph: "
                             "%4 is no multiple of %5.")
                              .arg(values(found.valueCount()), layoutWords(layout), values(wanted),
                                   count(found.valueCount()), count(wanted));
        return decoded;
    }
    if (glyphs > MostGlyphs) {
        decoded.refusal = tr("The text holds %1 glyphs under %2; a set holds at most %3.")
                              .arg(count(glyphs), layoutWords(layout), count(MostGlyphs));
        return decoded;
    }
    const std::uint64_t outside = ~layout.valueMask();
    std::uint64_t line[GlyphLayout::MaxSize];
    decoded.glyphs.reserve(std::size_t(glyphs));
    for (qsizetype g = 0; g < glyphs; ++g) {
        Glyph glyph;
        qsizetype first = g * wanted;
        if (!split) {
            const Found::Group &group = found.groups[std::size_t(g)];
            const int size = std::max(group.count, group.declared);
            if (size != wanted) {
                decoded.refusal =
                    (group.declared > 0 ? tr("%1 is declared with %2; %3 takes %4 per glyph.")
                                        : tr("%1 has %2; %3 takes %4 per glyph."))
                        .arg(glyphWords(g, group.name), values(size), layoutWords(layout), values(wanted));
                decoded.glyphs.clear();
                return decoded;
            }
            first = group.first;
            glyph.name = group.name;
        }
        const int given = split ? wanted : found.groups[std::size_t(g)].count;
        for (int v = 0; v < wanted; ++v) {
            line[v] = v < given ? found.values[std::size_t(first + v)] : 0; // zeros where C has them
            if (line[v] & outside) {
                decoded.refusal = tr("Value %1 of %2, %3, does not fit %4, which takes %5.")
                                      .arg(QString::number(v + 1), glyphWords(g, glyph.name, false),
                                           shownValue(line[v], found.forms[std::size_t(first + v)]),
                                           layoutWords(layout), range(layout));
                decoded.glyphs.clear();
                return decoded;
            }
        }
        glyph.picture = *layout.picture(line, wanted);
        decoded.glyphs.push_back(std::move(glyph));
    }
    return decoded;
}

} // namespace SetReader
