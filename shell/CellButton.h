#pragma once

#include "matrix/MatrixState.h"

#include <QAbstractButton>

#include <array>

// Told of a stroke by whichever cell has the mouse: one for the whole grid,
// so that no cell needs connections of its own.
class StrokeListener
{
public:
    virtual ~StrokeListener() = default;
    virtual void beginStroke(int row, int col) = 0;
    virtual void continueStroke(int row, int col) = 0;
    virtual void endStroke() = 0;
};

// One cell of the grid. It holds no state: it paints the colour of the state
// the matrix has for it, so what the user sees is always what the model holds.
//
// A press starts a stroke and the pressed cell holds the mouse until the
// release, telling which cell the pointer enters; a press, like Tab, gives it
// the focus, and the arrow keys then walk the visible cells. Space (and a
// screen reader's press) click it.
class CellButton : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(uint colorValue READ colorValue)

public:
    using Grid = std::array<std::array<CellButton *, MatrixState::Size>, MatrixState::Size>;

    CellButton(const MatrixState &state, int row, int col, QWidget *parent = nullptr);
    // The cells the arrow keys walk.
    void setGrid(const Grid *grid) { m_grid = grid; }
    void setStrokeListener(StrokeListener *listener) { m_strokes = listener; }

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
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    const Grid *m_grid = nullptr;
    StrokeListener *m_strokes = nullptr;
    const MatrixState &m_state;
    int m_row;
    int m_col;
};
