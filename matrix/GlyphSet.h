#pragma once

#include "Glyph.h"
#include "GlyphLayout.h"

#include <vector>

// An ordered list of glyphs, never empty, with a current one and a layout.
//
// These are the primitive steps the undo commands call. The current index
// follows its glyph: an insertion or removal before it, or a move across it,
// shifts it; removing the current glyph makes the one after it current (the
// one before where it was the last).
class GlyphSet
{
public:
    GlyphSet() : m_glyphs(1) {}
    // These glyphs (one empty glyph where there are none), the first current.
    explicit GlyphSet(std::vector<Glyph> glyphs, const GlyphLayout &layout = GlyphLayout());

    int count() const { return static_cast<int>(m_glyphs.size()); }
    const Glyph &glyph(int i) const { return m_glyphs[static_cast<std::size_t>(i)]; }
    const std::vector<Glyph> &glyphs() const { return m_glyphs; }
    int current() const { return m_current; }
    const Glyph &currentGlyph() const { return glyph(m_current); }
    const GlyphLayout &layout() const { return m_layout; }

    // at is 0..count().
    void insert(int at, const Glyph &glyph);
    // The last glyph is emptied (no picture, no name) instead.
    void remove(int at);
    // The glyph at from ends up at index to; both 0..count() - 1.
    void move(int from, int to);
    void rename(int i, const QString &name) { m_glyphs[static_cast<std::size_t>(i)].name = name; }
    void setPicture(int i, std::uint64_t bits) { m_glyphs[static_cast<std::size_t>(i)].picture = bits; }
    void setCurrent(int i) { m_current = i; }
    void setLayout(const GlyphLayout &layout) { m_layout = layout; }

    // As a user who never touches sets has it: one glyph, no name, the
    // default layout, whatever the picture. A set never saved counts as
    // changed once it is no longer pristine.
    bool isPristine() const;

    bool operator==(const GlyphSet &other) const
    {
        return m_glyphs == other.m_glyphs && m_current == other.m_current && m_layout == other.m_layout;
    }
    bool operator!=(const GlyphSet &other) const { return !(*this == other); }

private:
    std::vector<Glyph> m_glyphs;
    int m_current = 0;
    GlyphLayout m_layout;
};
