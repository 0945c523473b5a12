#include "GridStep.h"

#include <QCoreApplication>

namespace {
constexpr int StrokeId = 1;
}

GridStep::GridStep(const QString &name, const MatrixState::Snapshot &before, const MatrixState::Snapshot &after,
                   int stroke, Show show)
    : QUndoCommand(name), m_before(before), m_after(after), m_stroke(stroke), m_show(std::move(show))
{
}

void GridStep::undo()
{
    m_show(m_before);
}

void GridStep::redo()
{
    if (!m_skipRedo)
        m_show(m_after);
    m_skipRedo = false;
}

int GridStep::id() const
{
    return m_stroke ? StrokeId : -1;
}

bool GridStep::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const GridStep *>(other);
    if (next->m_stroke != m_stroke)
        return false;
    m_after = next->m_after;
    setText(QCoreApplication::translate("GridEditor", "Draw"));
    return true;
}
