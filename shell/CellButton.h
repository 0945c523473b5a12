#pragma once

#include "matrix/MatrixState.h"

#include <QAbstractButton>

// One cell of the grid. It holds no state: it paints whatever colour the
// matrix has for it, so what the user sees is always what the model holds.
class CellButton : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(uint colorValue READ colorValue)

public:
    CellButton(const MatrixState &state, int row, int col, QWidget *parent = nullptr);

    uint colorValue() const { return m_state.cellColor(m_row, m_col); }
    bool isOn() const { return m_state.isOn(m_row, m_col); }
    int row() const { return m_row; }
    int col() const { return m_col; }

    // Repaints the cell after the model changed it, and tells a screen reader.
    void refresh();

    // What a screen reader says: row and column counted from 1, and the state.
    QString spokenName() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const MatrixState &m_state;
    int m_row;
    int m_col;
};
