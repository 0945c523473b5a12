#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The 8x8 bit matrix and the 32 edge values that describe it.
//
// A cell's on/off state is its colour value and nothing else, so the view can
// never show a state the model does not hold. The edge values are kept by
// adding and subtracting weights, not recomputed from the cells: column entry
// may leave them out of step with the cells, and that is part of the design.
class MatrixState
{
public:
    static constexpr int Size = 8;

    // Colours in the 0x00BBGGRR form, the high bit marking a system colour.
    static constexpr std::uint32_t cellOnColor = 0x00FF0000u;  // pure blue
    static constexpr std::uint32_t cellOffColor = 0x80000016u; // light 3-D shade

    enum Edge { Left, Right, Top, Bottom };
    static constexpr int EdgeCount = 4;

    enum class ToggleResult { Done, OutOfRange };

    MatrixState();

    void reset();

    // Flips cell (row, col) and moves its four edge values by its weights.
    // Refused as a whole when any of the four would leave the 16-bit range.
    ToggleResult toggleCell(int row, int col);

    // Repaints column col from a typed hex text; the edge values stay as
    // they were. Lowercase digits only; the last character sets rows 0..3,
    // the first rows 4..7, each half skipped when its character is no digit.
    void enterColumn(int col, const QString &text);

    std::uint32_t cellColor(int row, int col) const { return m_cells[row][col]; }
    void setCellColor(int row, int col, std::uint32_t color) { m_cells[row][col] = color; }
    bool isOn(int row, int col) const { return m_cells[row][col] == cellOnColor; }

    std::int16_t value(Edge edge, int index) const { return m_values[edge][index]; }
    void setValue(Edge edge, int index, std::int16_t v) { m_values[edge][index] = v; }
    QString valueText(Edge edge, int index) const { return edgeValueText(m_values[edge][index]); }

    // Weight of cell (row, col) in the value of the given edge.
    static int weight(Edge edge, int row, int col);
    // Which element of an edge's array holds cell (row, col).
    static int indexOf(Edge edge, int row, int col) { return (edge == Left || edge == Right) ? row : col; }

    // Uppercase hex without leading zeros; negatives as four two's-complement digits.
    static QString edgeValueText(std::int16_t value);

private:
    std::array<std::array<std::uint32_t, Size>, Size> m_cells{};
    std::array<std::array<std::int16_t, Size>, EdgeCount> m_values{};
};
