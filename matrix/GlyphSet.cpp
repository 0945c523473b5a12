#include "GlyphSet.h"

#include <algorithm>

GlyphSet::GlyphSet(std::vector<Glyph> glyphs, const GlyphLayout &layout) : m_glyphs(std::move(glyphs)), m_layout(layout)
{
    if (m_glyphs.empty())
        m_glyphs.resize(1);
}

void GlyphSet::insert(int at, const Glyph &glyph)
{
    m_glyphs.insert(m_glyphs.begin() + at, glyph);
    if (at <= m_current)
        ++m_current;
}

void GlyphSet::remove(int at)
{
    if (count() == 1) {
        m_glyphs.front() = Glyph();
        return;
    }
    m_glyphs.erase(m_glyphs.begin() + at);
    if (at < m_current || m_current == count())
        --m_current;
}

void GlyphSet::move(int from, int to)
{
    if (from < to)
        std::rotate(m_glyphs.begin() + from, m_glyphs.begin() + from + 1, m_glyphs.begin() + to + 1);
    else if (to < from)
        std::rotate(m_glyphs.begin() + to, m_glyphs.begin() + from, m_glyphs.begin() + from + 1);
    if (m_current == from)
        m_current = to;
    else if (from < m_current && m_current <= to)
        --m_current;
    else if (to <= m_current && m_current < from)
        ++m_current;
}

bool GlyphSet::isPristine() const
{
    return count() == 1 && m_glyphs.front().name.isEmpty() && m_layout == GlyphLayout();
}
