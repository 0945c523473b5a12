#pragma once

#include "matrix/GlyphSet.h"

#include <QUndoCommand>

#include <functional>

// One step of the set's history: a new, duplicated, deleted, moved or renamed
// glyph, glyphs pasted, a layout chosen. It keeps the whole set before and
// after, which for a set of a thousand glyphs is a few kilobytes, its names
// shared with the set's own.
class SetStep : public QUndoCommand
{
public:
    using Show = std::function<void(const GlyphSet &)>;

    SetStep(const QString &name, GlyphSet before, GlyphSet after, Show show)
        : QUndoCommand(name), m_before(std::move(before)), m_after(std::move(after)), m_show(std::move(show))
    {
    }

    void undo() override { m_show(m_before); }
    void redo() override { m_show(m_after); }

private:
    GlyphSet m_before;
    GlyphSet m_after;
    Show m_show;
};
