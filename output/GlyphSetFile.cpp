#include "GlyphSetFile.h"

#include "CSource.h"
#include "matrix/HexDigit.h"

#include <QFileInfo>

#include <algorithm>

namespace {

const QLatin1String firstLineHead("/* ZENTIL glyph set: ");
const QLatin1String firstLineTail(" */");
const char hex[] = "0123456789ABCDEF";

// C99, C11, C23 and C++20 keywords and alternative tokens, and names an
// array in a header cannot take beside them.
const char reservedNames[] =
    " "
    "alignas alignof and and_eq asm auto bitand bitor bool break case catch char char16_t char32_t "
    "char8_t class co_await co_return co_yield compl concept const const_cast consteval constexpr "
    "constinit continue decltype default delete do double dynamic_cast else enum explicit export extern "
    "false float for friend goto if inline int long mutable namespace new noexcept not not_eq nullptr "
    "operator or or_eq private protected public register reinterpret_cast requires restrict return short "
    "signed sizeof static static_assert static_cast struct switch template this thread_local throw true "
    "try typedef typeid typename typeof typeof_unqual union unsigned using virtual void volatile wchar_t "
    "while xor xor_eq main std NULL errno assert offsetof ";

bool isReserved(const QString &name)
{
    // <stdint.h> declares types ending in _t and macros ending in _MAX,
    // _MIN, _C and _WIDTH.
    for (const char *suffix : {"_t", "_MAX", "_MIN", "_C", "_WIDTH"}) {
        if (name.endsWith(QLatin1String(suffix)))
            return true;
    }
    return QLatin1String(reservedNames).contains(QLatin1Char(' ') + name + QLatin1Char(' '));
}

// A name's characters that are written as \uXXXX: those that would end the
// comment's line, show nothing or turn the text around (which compilers
// warn of), and halves of a pair that is not one.
bool needsEscape(const QString &name, qsizetype i)
{
    const char16_t c = name[i].unicode();
    if (QChar::isHighSurrogate(c))
        return i + 1 >= name.size() || !name[i + 1].isLowSurrogate();
    if (QChar::isLowSurrogate(c))
        return i == 0 || !name[i - 1].isHighSurrogate();
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200B || c == 0x200E || c == 0x200F ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

void appendName(QByteArray &out, const QString &name)
{
    QString text;
    text.reserve(name.size() + 2);
    text += QLatin1Char('"');
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\\')) {
            text += QLatin1Char('\\');
            text += c;
        } else if (c == QLatin1Char('\n')) {
            text += QLatin1String("\\n");
        } else if (c == QLatin1Char('\t')) {
            text += QLatin1String("\\t");
        } else if (needsEscape(name, i)) {
            text += QLatin1String("\\u");
            for (int d = 3; d >= 0; --d)
                text += QLatin1Char(hex[(c.unicode() >> (d * 4)) & 0xF]);
        } else {
            text += c;
        }
    }
    text += QLatin1Char('"');
    out += text.toUtf8();
}

void appendHex(QByteArray &out, std::uint64_t value, int digits)
{
    out += "0x";
    for (int d = digits - 1; d >= 0; --d)
        out += hex[(value >> (d * 4)) & 0xF];
}

} // namespace

namespace GlyphSetFile {

std::vector<Misfit> misfits(const GlyphSet &set)
{
    std::vector<Misfit> found;
    for (int i = 0; i < set.count(); ++i) {
        if (const std::uint64_t cells = set.layout().cellsOutside(set.glyph(i).picture))
            found.push_back({i, cells});
    }
    return found;
}

QString arrayName(const QString &fileName)
{
    // Accents dropped where the letter stands alone without them; every
    // run of anything else that C does not take becomes one underscore.
    const QString base = QFileInfo(fileName).completeBaseName().normalized(QString::NormalizationForm_KD);
    QString name;
    for (const QChar c : base) {
        if (c.isMark())
            continue;
        const bool ascii = c.unicode() < 0x80 && (c.isLetterOrNumber() || c == QLatin1Char('_'));
        if (ascii)
            name += c;
        else if (!name.endsWith(QLatin1Char('_')))
            name += QLatin1Char('_');
    }
    // No leading underscore (reserved at file scope) and no double one
    // (reserved in C++); C99 tells identifiers apart by 63 characters.
    while (name.contains(QLatin1String("__")))
        name.replace(QLatin1String("__"), QLatin1String("_"));
    while (name.startsWith(QLatin1Char('_')))
        name.remove(0, 1);
    name.truncate(56);
    while (name.endsWith(QLatin1Char('_')))
        name.chop(1);
    if (name.isEmpty())
        return QStringLiteral("glyphs");
    if (name[0].isDigit())
        return QStringLiteral("glyphs_") + name;
    if (isReserved(name))
        return name + QStringLiteral("_glyphs");
    return name;
}

QByteArray write(const GlyphSet &set, const QString &fileName)
{
    const GlyphLayout &layout = set.layout();
    for (const Glyph &glyph : set.glyphs()) {
        if (!layout.fits(glyph.picture))
            return {};
    }
    const QByteArray name = arrayName(fileName).toLatin1();
    const QByteArray guard = "ZENTIL_" + name.toUpper() + "_H";
    const bool image = layout.lines() == GlyphLayout::Lines::Image;
    const int width = layout.width();
    const int height = layout.height();
    const int count = layout.valueCount();

    QByteArray out;
    out.reserve(400 + set.count() * (16 + height * (8 + width) + count * 6 + 24));
    out += firstLineHead.data();
    out += layout.description().toUtf8();
    out += firstLineTail.data();
    out += "\n#ifndef " + guard + "\n#define " + guard + "\n\n#include <stdint.h>\n\n";
    // One copy in each file that includes it, which the compiler drops
    // where nothing uses it: a program whose files include it twice links.
    out += "#ifdef __GNUC__\n__attribute__((unused))\n#endif\n";
    out += image ? "static uint64_t " : "static uint8_t ";
    out += name + '[' + QByteArray::number(set.count()) + ']';
    if (!image)
        out += '[' + QByteArray::number(count) + ']';
    out += " = {\n";
    std::uint64_t values[GlyphLayout::MaxSize];
    for (const Glyph &glyph : set.glyphs()) {
        out += "    // ";
        appendName(out, glyph.name);
        out += '\n';
        for (int row = 0; row < height; ++row) {
            out += "    // ";
            for (int col = 0; col < width; ++col)
                out += (glyph.picture >> (row * GlyphLayout::MaxSize + col)) & 1u ? '#' : '.';
            out += '\n';
        }
        layout.values(glyph.picture, values);
        if (image) {
            out += "    ";
            appendHex(out, values[0], 16);
            out += ",\n";
            continue;
        }
        out += "    {";
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                out += ", ";
            appendHex(out, values[i], 2);
        }
        out += "},\n";
    }
    out += "};\n\n#endif\n";
    return out;
}

bool isOwn(QStringView text)
{
    if (text.startsWith(QChar(0xFEFF)))
        text = text.mid(1);
    return text.startsWith(firstLineHead);
}

} // namespace GlyphSetFile

namespace {

using GlyphSetFile::ReadResult;

ReadResult refused(const QString &message)
{
    ReadResult result;
    result.status = ReadResult::Status::Refused;
    result.message = message;
    return result;
}

// What the refusal quotes: as written, one line, at most 32 characters.
QString quoted(QStringView text)
{
    QString shown = text.left(32).toString().simplified();
    if (text.size() > 32)
        shown += QChar(0x2026);
    return shown;
}

QString layoutWords(const GlyphLayout &layout)
{
    return QStringLiteral("the layout \"%1\" at %2x%3").arg(layout.name()).arg(layout.width()).arg(layout.height());
}

int hexValue(QChar c)
{
    return HexDigit::anyCase(c.unicode());
}

// The name in a comment `"..."`, its escapes undone as appendName() writes
// them. A hand-edited name is taken as far as it goes: an escape the writer
// never makes stays as it stands, a missing closing quote ends it at the
// comment's end.
QString unquotedName(QStringView comment)
{
    QString name;
    name.reserve(comment.size());
    for (qsizetype i = 1; i < comment.size(); ++i) {
        const QChar c = comment[i];
        if (c == QLatin1Char('"'))
            break;
        if (c != QLatin1Char('\\') || i + 1 == comment.size()) {
            name += c;
            continue;
        }
        const QChar e = comment[++i];
        if (e == QLatin1Char('n')) {
            name += QLatin1Char('\n');
        } else if (e == QLatin1Char('t')) {
            name += QLatin1Char('\t');
        } else if (e == QLatin1Char('"') || e == QLatin1Char('\\')) {
            name += e;
        } else if (e == QLatin1Char('u') && i + 4 < comment.size()) {
            int unit = 0;
            for (int d = 1; d <= 4 && unit >= 0; ++d) {
                const int h = hexValue(comment[i + d]);
                unit = h < 0 ? -1 : unit * 16 + h;
            }
            if (unit >= 0) {
                name += QChar(char16_t(unit));
                i += 4;
            } else {
                name += QLatin1Char('\\');
                name += e;
            }
        } else {
            name += QLatin1Char('\\');
            name += e;
        }
    }
    return name;
}

// The first quoted comment ending a line in [from, to): the glyph's name.
QString nameBetween(const CSource::Scan &scan, int from, int to)
{
    for (int line = from; line < to; ++line) {
        const QStringView comment = scan.lineComment(line);
        if (comment.startsWith(QLatin1Char('"')))
            return unquotedName(comment);
    }
    return {};
}

// A value of a glyph; refused where it is no value or too wide.
bool takeValue(const CSource::Element &element, const CSource::Scan &scan, const GlyphLayout &layout, int glyph,
               std::uint64_t &value, ReadResult &result)
{
    const CSource::Number &number = element.number;
    if (element.kind != CSource::Element::Kind::Value || number.negative || number.tooWide) {
        result = refused(QStringLiteral("Glyph %1 holds \"%2\", which is not a value of %3.")
                             .arg(glyph)
                             .arg(quoted(scan.text(element)), layoutWords(layout)));
        return false;
    }
    if (number.magnitude & ~layout.valueMask()) {
        result = refused(QStringLiteral("Glyph %1 holds %2, which has bits outside 0x%3: %4 uses no others.")
                             .arg(glyph)
                             .arg(quoted(scan.text(element)))
                             .arg(QString::number(layout.valueMask(), 16).toUpper(), layoutWords(layout)));
        return false;
    }
    value = number.magnitude;
    return true;
}

} // namespace

namespace GlyphSetFile {

ReadResult read(QStringView text)
{
    if (!isOwn(text))
        return {};
    const qsizetype head = text.indexOf(firstLineHead) + firstLineHead.size();
    qsizetype lineEnd = head;
    while (lineEnd < text.size() && text[lineEnd] != QLatin1Char('\n') && text[lineEnd] != QLatin1Char('\r'))
        ++lineEnd;
    QStringView words = text.mid(head, lineEnd - head).trimmed();
    std::optional<GlyphLayout> layout;
    if (words.endsWith(firstLineTail.trimmed()))
        layout = GlyphLayout::fromDescription(words.chopped(firstLineTail.trimmed().size()));
    if (!layout)
        return refused(QStringLiteral("The first line names no layout ZENTIL knows: \"%1\".").arg(quoted(words)));

    const CSource::Scan scan(text);
    const CSource::Array *table = nullptr;
    for (const CSource::Array &array : scan.arrays()) {
        if (array.depth == 0) {
            table = &array;
            break;
        }
    }
    if (!table || table->count == 0)
        return refused(QStringLiteral("No glyph follows the first line: ZENTIL's set is an array of glyphs."));

    ReadResult result;
    std::vector<Glyph> glyphs;
    glyphs.reserve(static_cast<std::size_t>(table->count));
    const bool image = layout->lines() == GlyphLayout::Lines::Image;
    const int wanted = layout->valueCount();
    int nameFrom = table->line;
    std::uint64_t values[GlyphLayout::MaxSize];
    for (const CSource::Element &element : scan.elements(*table)) {
        const int number = static_cast<int>(glyphs.size()) + 1;
        Glyph glyph;
        glyph.name = nameBetween(scan, nameFrom, element.line + 1);
        if (image) {
            if (!takeValue(element, scan, *layout, number, values[0], result))
                return result;
            nameFrom = element.line + 1;
        } else {
            if (element.kind != CSource::Element::Kind::Array)
                return refused(QStringLiteral("Glyph %1 is not in braces: %2 takes each glyph as {} of %3 values.")
                                   .arg(number)
                                   .arg(layoutWords(*layout))
                                   .arg(wanted));
            const CSource::Array &entry = scan.arrays()[element.array];
            const CSource::Elements given = scan.elements(entry);
            if (given.size() > wanted)
                return refused(QStringLiteral("Glyph %1 has %2 values; %3 takes %4.")
                                   .arg(number)
                                   .arg(given.size())
                                   .arg(layoutWords(*layout))
                                   .arg(wanted));
            // Values left out are zero, as C has them.
            std::fill(values, values + wanted, 0);
            for (qsizetype v = 0; v < given.size(); ++v) {
                if (!takeValue(given[v], scan, *layout, number, values[v], result))
                    return result;
            }
            nameFrom = entry.endLine + 1;
        }
        glyph.picture = *layout->picture(values, wanted);
        glyphs.push_back(std::move(glyph));
    }
    result.status = ReadResult::Status::Read;
    result.set = GlyphSet(std::move(glyphs), *layout);
    return result;
}

} // namespace GlyphSetFile
