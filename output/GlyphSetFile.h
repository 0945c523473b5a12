#pragma once

#include "matrix/GlyphSet.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

// A glyph set as a C header: its document, which compiles as C99 and C++ as
// it stands, and which ZENTIL reads back as the same set.
//
//     /* ZENTIL glyph set: layout "Character LCD", 5x8, rows, bit 0 at the right */
//     ...
//     static uint8_t chars[3][8] = {
//         // "heart"
//         // .....
//         // .#.#.
//         ...
//         {0x00, 0x0A, 0x1F, 0x1F, 0x0E, 0x04, 0x00, 0x00},
//         ...
//     };
//
// The first line names the layout and size. Each glyph's name (quoted, with
// C's escapes) and picture (a line of '#' and '.' per row of its size) stand
// in comments above its values, so that a changed glyph reads as a picture in
// a diff. Reading back, the values win over the pictures, which are only for
// people; an edited name is taken.
namespace GlyphSetFile {

// A glyph with lit cells outside its layout's size, which is never written.
struct Misfit
{
    int glyph = 0;           // its index in the set
    std::uint64_t cells = 0; // the cells outside, as picture bits

    bool operator==(const Misfit &other) const { return glyph == other.glyph && cells == other.cells; }
};
std::vector<Misfit> misfits(const GlyphSet &set);

// The array's name: a C identifier made from the file's name without its
// folder and last extension ("chars.h" is chars, "8x8 font.h" glyphs_8x8_font).
QString arrayName(const QString &fileName);

// The whole header in UTF-8, LF line ends; empty where a glyph does not fit
// its layout (misfits() says which), so that nothing is written short.
QByteArray write(const GlyphSet &set, const QString &fileName);

// Whether the text's first line is the one write() begins with; only then
// read() takes it.
bool isOwn(QStringView text);

struct ReadResult
{
    enum class Status {
        Read,    // set holds what the file holds, the first glyph current
        NotOwn,  // no first line of ZENTIL's: a set some other tool wrote
        Refused, // ZENTIL's first line, but the rest is not a set of that layout
    };
    Status status = Status::NotOwn;
    GlyphSet set;
    QString message; // why it was refused: what was found, what was wanted

    bool ok() const { return status == Status::Read; }
};

// Reads a header write() made, or one edited by hand from it.
ReadResult read(QStringView text);

} // namespace GlyphSetFile
