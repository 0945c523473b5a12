#pragma once

#include "matrix/MatrixState.h"

#include <QString>

#include <cstddef>
#include <deque>

// The grid's undo history: each step keeps the whole picture before and after
// it, values included, so that undo and redo put back exactly what stood,
// out-of-step values too. Only the newest Limit steps are kept.
class GridHistory
{
public:
    static constexpr std::size_t Limit = 1000;

    // A new step drops every step that could have been redone.
    void record(const QString &name, const MatrixState::Snapshot &before, const MatrixState::Snapshot &after);

    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < m_steps.size(); }
    // The name of the step that undo or redo would act on; empty where none.
    QString undoName() const { return canUndo() ? m_steps[m_done - 1].name : QString(); }
    QString redoName() const { return canRedo() ? m_steps[m_done].name : QString(); }

    // Moves back or forward one step and gives the picture to restore; call
    // only where canUndo() or canRedo() says so.
    const MatrixState::Snapshot &undo() { return m_steps[--m_done].before; }
    const MatrixState::Snapshot &redo() { return m_steps[m_done++].after; }

    std::size_t size() const { return m_steps.size(); }

private:
    struct Step
    {
        QString name;
        MatrixState::Snapshot before;
        MatrixState::Snapshot after;
    };
    std::deque<Step> m_steps;
    std::size_t m_done = 0; // steps [0, m_done) are done, the rest undone
};
