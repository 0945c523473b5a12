#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

// How one glyph becomes values: one of the named layouts at a glyph size.
//
// The glyph stands in the grid's top-left corner, width columns by height
// rows, each 1..8. Rows give one value per row, top to bottom; columns one
// per column, left to right; the 64-bit image one value per glyph, exactly
// the picture's own bits (8x8 only).
//
// Bit orders, for a glyph narrower (shorter) than 8: "bit 0 at the left" puts
// the glyph's first cell at bit 0; "bit 7 at the left" puts it at bit 7, so
// the right and bottom panels' layouts hold at every size exactly what those
// panels show around the grid (in 5x7, a row of five cells uses bits 7..3);
// "bit 0 at the right" puts the glyph's own last cell at bit 0, as a
// character LCD takes its five columns (bit 4 at the left). At 8 cells the
// last two orders give the same values.
class GlyphLayout
{
public:
    static constexpr int MaxSize = 8;

    // The named layouts, in the order the window lists them.
    enum class Preset { LeftPanel, RightPanel, TopPanel, BottomPanel, CharacterLcd, Image };
    static constexpr int PresetCount = 6;

    enum class Lines { Rows, Columns, Image };
    enum class BitOrder { ZeroFirst, SevenFirst, ZeroLast };

    // The left panel's layout at 8x8.
    GlyphLayout() = default;
    // At the preset's own size: 5x8 for the character LCD, 8x8 otherwise.
    explicit GlyphLayout(Preset preset);
    // Sizes are clamped to 1..8; the 64-bit image is always 8x8.
    GlyphLayout(Preset preset, int width, int height);

    static QString presetName(Preset preset);
    // Whether the preset can take another size than 8x8.
    static bool isResizable(Preset preset) { return preset != Preset::Image; }

    Preset preset() const { return m_preset; }
    QString name() const { return presetName(m_preset); }
    int width() const { return m_width; }
    int height() const { return m_height; }
    Lines lines() const;
    BitOrder bitOrder() const;

    // Values per glyph: its height for rows, its width for columns, 1 for the image.
    int valueCount() const;
    // Width in bits of the C type a value is written as: 8 or 64.
    int valueBits() const { return m_preset == Preset::Image ? 64 : 8; }
    // The bits a value may have set.
    std::uint64_t valueMask() const;
    // The picture's cells inside the glyph's size.
    std::uint64_t area() const;

    // A glyph fits when it has no lit cell outside its size; values are
    // taken from the cells inside only, so only a fitting glyph is written.
    bool fits(std::uint64_t picture) const { return (picture & ~area()) == 0; }
    std::uint64_t cellsOutside(std::uint64_t picture) const { return picture & ~area(); }

    std::vector<std::uint64_t> values(std::uint64_t picture) const;
    // The same into out (at least MaxSize places), no allocation; returns valueCount().
    int values(std::uint64_t picture, std::uint64_t *out) const;
    // The picture whose values these are; none where the count is not
    // valueCount() or a value has a bit outside valueMask().
    std::optional<std::uint64_t> picture(const std::vector<std::uint64_t> &values) const;
    std::optional<std::uint64_t> picture(const std::uint64_t *values, int count) const;

    // The layout and size in words, as a file's first line names them:
    // layout "Character LCD", 5x8, rows, bit 0 at the right
    QString description() const;
    // Reads back exactly what description() writes (spaces around the parts
    // may vary); none for anything else.
    static std::optional<GlyphLayout> fromDescription(QStringView text);

    bool operator==(const GlyphLayout &other) const
    {
        return m_preset == other.m_preset && m_width == other.m_width && m_height == other.m_height;
    }
    bool operator!=(const GlyphLayout &other) const { return !(*this == other); }

private:
    // The bit of a value that cell k of a line (counted from the left or top) sets.
    int bitOf(int k, int lineLength) const;

    Preset m_preset = Preset::LeftPanel;
    int m_width = MaxSize;
    int m_height = MaxSize;
};
