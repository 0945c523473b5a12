#pragma once

#include "matrix/MatrixState.h"

#include <QUndoCommand>

#include <functional>

// One step of the grid's history: the whole grid before and after it, values
// included, so that undo and redo put back exactly what stood, values out of
// step with the cells too. The steps of one stroke merge into one.
class GridStep : public QUndoCommand
{
public:
    // Shows the grid as it stood on glyph number glyph of the set.
    using Show = std::function<void(int glyph, const MatrixState::Snapshot &)>;

    // stroke is nonzero for the cells of a drag; the step is pushed after the
    // grid has changed, so its first redo does nothing.
    GridStep(const QString &name, int glyph, const MatrixState::Snapshot &before, const MatrixState::Snapshot &after,
             int stroke, Show show);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    int m_glyph;
    MatrixState::Snapshot m_before;
    MatrixState::Snapshot m_after;
    int m_stroke;
    Show m_show;
    bool m_skipRedo = true; // pushed once the grid already shows m_after
};
