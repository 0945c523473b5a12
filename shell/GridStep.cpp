#include "GridStep.h"

#include <QCoreApplication>

namespace {
constexpr int StrokeId = 1;
}

GridStep::GridStep(const QString &name, int glyph, const MatrixState::Snapshot &before,
                   const MatrixState::Snapshot &after, int stroke, Show show)
    : QUndoCommand(name), m_glyph(glyph), m_before(before), m_after(after), m_stroke(stroke), m_show(std::move(show))
{
}

void GridStep::undo()
{
    m_show(m_glyph, m_before);
}

void GridStep::redo()
{
    if (!m_skipRedo)
        m_show(m_glyph, m_after);
    m_skipRedo = false;
}

int GridStep::id() const
{
    return m_stroke ? StrokeId : -1;
}

bool GridStep::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const GridStep *>(other);
    if (next->m_stroke != m_stroke || next->m_glyph != m_glyph)
        return false;
    m_after = next->m_after;
    setText(QCoreApplication::translate("GridEditor", "Draw"));
    return true;
}
