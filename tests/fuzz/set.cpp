// Sets of glyphs read in. Any text (UTF-8) is scanned as pasted and as a
// file's bytes, and decoded under every layout at its own size and at the
// size the text suggests: a reading has 1 to MostGlyphs glyphs, each fitting
// its layout, a refusal none and a message showing no character that could
// hide or turn its direction. The bytes also make a set (layout, size,
// glyphs, names with quotes, */ and lone surrogates) which GlyphSetFile
// writes: it reads back as the same set, and through the reader as the same
// pictures.

#include "output/GlyphSetFile.h"
#include "output/SetReader.h"

#include <QList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool ok, const char *what)
{
    if (!ok) {
        fprintf(stderr, "set: %s\n", what);
        abort();
    }
}

void checkShown(const QString &message)
{
    for (char32_t c : message.toUcs4()) {
        const auto d = QChar::direction(c);
        check(QChar::isPrint(c) && !QChar::isMark(c) && d != QChar::DirR && d != QChar::DirAN &&
                  (d < QChar::DirLRE || d > QChar::DirPDI),
              "a refusal shows a character that hides or turns");
    }
}

void checkDecoded(const SetReader::Found &found, const GlyphLayout &layout)
{
    const SetReader::Decoded decoded = SetReader::decode(found, layout);
    if (!decoded.ok()) {
        check(decoded.glyphs.empty(), "glyphs kept by a refusal");
        checkShown(decoded.refusal);
        return;
    }
    check(!decoded.glyphs.empty() && decoded.glyphs.size() <= std::size_t(SetReader::MostGlyphs),
          "no glyphs, or too many");
    for (const Glyph &glyph : decoded.glyphs)
        check(layout.fits(glyph.picture), "a glyph with cells outside its layout");
}

void checkFound(const SetReader::Found &found)
{
    check(found.ok() == found.message.isEmpty(), "a problem without a message, or a message without one");
    check(found.ok() || found.values.empty(), "values kept by a refusal");
    check(found.forms.size() == found.values.size(), "a value without its form");
    qsizetype next = 0;
    for (const SetReader::Found::Group &group : found.groups) {
        check(group.first == next && group.count >= 1, "groups out of order");
        next += group.count;
    }
    check(found.groups.empty() || next == found.valueCount(), "values in no group");
    for (int p = 0; p < GlyphLayout::PresetCount; ++p) {
        const auto preset = GlyphLayout::Preset(p);
        checkDecoded(found, GlyphLayout(preset));
        checkDecoded(found, found.suggested(preset));
    }
}

// A set made of the bytes: glyphs of 8 bytes each, a name's length and its
// UTF-16 units before each.
GlyphSet setOf(const uint8_t *data, size_t size)
{
    const GlyphLayout layout(GlyphLayout::Preset(data[0] % GlyphLayout::PresetCount), data[1] % 8 + 1,
                             data[1] / 8 % 8 + 1);
    std::vector<Glyph> glyphs;
    for (size_t i = 2; i < size && glyphs.size() < 64;) {
        Glyph glyph;
        const size_t length = data[i++] % 6;
        for (size_t k = 0; k < length && i + 1 < size; ++k, i += 2)
            glyph.name += QChar(char16_t(data[i] | data[i + 1] << 8));
        for (int b = 0; b < 8 && i < size; ++b)
            glyph.picture |= std::uint64_t(data[i++]) << (8 * b);
        glyph.picture &= layout.area();
        glyphs.push_back(glyph);
    }
    return GlyphSet(std::move(glyphs), layout);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkFound(SetReader::scan(QString::fromUtf8(bytes)));
    checkFound(SetReader::scanFile(bytes));

    if (size < 2)
        return 0;
    const GlyphSet set = setOf(data, size);
    const QByteArray written = GlyphSetFile::write(set, QStringLiteral("fuzz.h"));
    const QString text = QString::fromUtf8(written);
    const GlyphSetFile::ReadResult read = GlyphSetFile::read(text);
    check(read.ok() && read.set == set, "a written set did not read back as itself");
    const SetReader::Decoded decoded = SetReader::decode(SetReader::scan(text), set.layout());
    check(decoded.ok() && decoded.glyphs.size() == set.glyphs().size(), "a written set read in as other glyphs");
    for (std::size_t i = 0; i < decoded.glyphs.size(); ++i)
        check(decoded.glyphs[i].picture == set.glyphs()[i].picture, "a written glyph read in as another picture");
    return 0;
}
