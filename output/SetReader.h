#pragma once

#include "matrix/Glyph.h"
#include "matrix/GlyphLayout.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

// Reads the glyphs of a set some other tool or person wrote: a font table, a
// flat table of column bytes, an Arduino sketch with an array per character,
// an array of 64-bit images, or ZENTIL's own listings, one glyph per line.
// (A header ZENTIL wrote, GlyphSetFile::isOwn, is read by GlyphSetFile.)
//
// Bytes alone cannot say their layout, so reading takes two steps: scan()
// finds the values and how the text groups them, once; decode() makes glyphs
// of them under a layout, as often as the user changes it.
//
// - C text (anything but a listing's characters) is read through
//   CSource::Scan, numbers as C reads them. Only values in initializers
//   count where the text has any: each innermost initializer is a glyph
//   (Braces, named by the comment ending its line), each array of a
//   sketch is one (Arrays, named after the array; declared [8] with fewer
//   values, the rest are zero, as in C). A lone flat array is a glyph where
//   it holds 8 values or fewer, else its lines are glyphs (Lines, each named
//   by its comment) where every line holds as many values, 1 to 8 (1 only
//   with comments), else it is one run (None) that decode() splits by the
//   layout's count. Values wider than 32 bits (or an array whose type says
//   64) are images, one glyph each.
// - A listing (hex digits, $ & H x, commas, quotes and white space only) is
//   read line by line as ListingReader reads a panel's listing, bare values
//   hex; lines holding as many values each, 2 to 8, are glyphs, else the
//   values are one run.
namespace SetReader {

// A longer text is refused before it is looked at, in characters (scan) or
// bytes (scanFile); a set of 1,024 glyphs as C takes some 100 KB.
constexpr qsizetype LargestText = 4 * 1024 * 1024;
// The most glyphs decode() makes; a set this long is already far past a
// font's 256 characters.
constexpr int MostGlyphs = 16384;

struct Found
{
    enum class Problem {
        None,
        TooLarge,  // more than LargestText
        Binary,    // NUL characters, or much that is not UTF-8
        NoValues,  // nothing that reads as a value
        NotValues, // something in the values that is no value (message says what, and on which line)
        TooMany,   // more arrays or values than MostGlyphs glyphs could hold, whatever the layout
    };
    enum class Grouping { None, Braces, Arrays, Lines };
    // How a value was written, to say how it was read.
    enum class Form : std::uint8_t { Decimal, Octal, Hex, Binary, ArduinoBinary, Listed };

    // Values first .. first + count - 1 of values: one glyph's, as the text
    // groups them.
    struct Group
    {
        qsizetype first = 0;
        int count = 0;
        int declared = 0; // an array's declared size where larger than count: the rest are zero
        QString name;     // the array's name or the line's comment; empty where none
    };

    Problem problem = Problem::None;
    QString message; // where there is a problem: what was found, and what was wanted

    Grouping grouping = Grouping::None;
    std::vector<std::uint64_t> values; // every value, in the text's order
    std::vector<Form> forms;           // each value's
    std::vector<Group> groups;         // in order; empty for None: decode() splits by the layout
    std::uint64_t used = 0;            // every value's bits together
    // Values in each brace or line (an array's declared size counted), where
    // all have as many; 0 where they differ, or the text does not group them.
    int perGlyph = 0;

    bool ok() const { return problem == Problem::None; }
    qsizetype valueCount() const { return qsizetype(values.size()); }
    // The widest value in bits: 0 where all are 0.
    int widest() const;
    // The preset at the size the text shows: values per glyph (perGlyph)
    // give the rows or columns, the widest value how long each is.
    GlyphLayout suggested(GlyphLayout::Preset preset) const;
    // The preset to start from: the last used, unless only the 64-bit image
    // can take values this wide.
    GlyphLayout::Preset suggestedPreset(GlyphLayout::Preset lastUsed) const;
};

struct Decoded
{
    std::vector<Glyph> glyphs; // 1 to MostGlyphs, each fitting the layout; none where refused
    QString refusal;           // a full sentence: what was found, what the layout wants

    bool ok() const { return refusal.isEmpty(); }
};

// Whether a file's bytes are no text: a NUL, or more than one byte in 20 that
// is no UTF-8. A text in another 8-bit encoding has a few such bytes and is
// read, those characters replaced.
bool looksBinary(const QByteArray &bytes);

// Finds the values of any text. Linear in its length; a text over
// LargestText is refused at once, whatever it holds.
Found scan(QStringView text);
// The same for a file's bytes: refused over LargestText bytes or where
// looksBinary(); else UTF-8 (or UTF-16 and UTF-32 by their byte-order mark).
Found scanFile(const QByteArray &bytes);

// The glyphs under layout, named from the text, or why not. Linear in the
// values found.
Decoded decode(const Found &found, const GlyphLayout &layout);

// How a value was written, to show: "165 (decimal)", "0xA5 (hex)".
QString shownValue(std::uint64_t value, Found::Form form);

} // namespace SetReader
