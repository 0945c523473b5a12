#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The 8x8 bit matrix and the 32 edge values that describe it.
//
// The 64 cells are the bits of one integer, the picture: cell (row, col) is
// bit row * 8 + col, row 0 in the low byte. The view paints a cell in
// cellOnColor or cellOffColor from that bit alone. The edge values are kept by
// adding and subtracting weights, not recomputed from the cells: column entry
// may leave them out of step with the cells, and that is part of the design.
class MatrixState
{
public:
    static constexpr int Size = 8;

    // How the view paints a cell: colours in the 0x00BBGGRR form, the high
    // bit marking a system colour.
    static constexpr std::uint32_t cellOnColor = 0x00FF0000u;  // pure blue
    static constexpr std::uint32_t cellOffColor = 0x80000016u; // light 3-D shade

    using Picture = std::uint64_t;
    static constexpr Picture bit(int row, int col) { return Picture(1) << (row * Size + col); }

    enum Edge { Left, Right, Top, Bottom };
    static constexpr int EdgeCount = 4;

    enum class ToggleResult { Done, OutOfRange };

    // The whole state, cells and values as they stand (out of step or not),
    // so that an edit can be taken back exactly.
    struct Snapshot
    {
        Picture cells = 0;
        std::array<std::array<std::int16_t, Size>, EdgeCount> values{};
        bool operator==(const Snapshot &other) const { return cells == other.cells && values == other.values; }
        bool operator!=(const Snapshot &other) const { return !(*this == other); }
    };

    // Whole-picture edits. Each acts on the visible area only (all 64 cells,
    // or columns 0..4 of rows 0..6 in 5x7), leaving the other cells as they
    // are, and then sets all 32 values from the cells, so they are in step.
    enum class Transform {
        ShiftUp,
        ShiftDown,
        ShiftLeft,
        ShiftRight,
        Mirror,          // left to right
        Flip,            // top to bottom
        RotateClockwise, // a quarter turn; only where the area is square
        RotateAnticlockwise,
        Invert,
    };
    static constexpr int TransformCount = 9;

    enum class EdgeResult { Done, NeedsHiddenCell };

    MatrixState();

    void reset();

    // Flips cell (row, col) and moves its four edge values by its weights.
    // Refused as a whole when any of the four would leave the 16-bit range.
    ToggleResult toggleCell(int row, int col);

    // Repaints column col from a typed hex text; the edge values stay as
    // they were. Lowercase digits only; the last character sets rows 0..3,
    // the first rows 4..7, each half skipped when its character is no digit.
    void enterColumn(int col, const QString &text);

    Snapshot snapshot() const { return {m_cells, m_values}; }
    void restore(const Snapshot &snapshot)
    {
        m_cells = snapshot.cells;
        m_values = snapshot.values;
    }

    // Rotations need a square area, which 5x7 is not.
    static bool canTransform(Transform transform, bool fiveBySeven);
    // Does nothing where canTransform() says no.
    void transform(Transform transform, bool fiveBySeven);

    // Sets the lines an edge's values describe (rows for Left and Right,
    // columns for Top and Bottom) so that the first valueCount(edge) values
    // of that edge read as given, each in that edge's bit order, then puts
    // all 32 values in step. In 5x7 only the visible lines are set, whole:
    // their hidden cells are turned off. Refused as a whole, nothing changed,
    // where a value would need a hidden cell. Values are 0..255.
    // Where refused, firstRefused (if given) is the index of the first value
    // that needs a hidden cell.
    EdgeResult setEdgeValues(Edge edge, const std::array<int, Size> &values, bool fiveBySeven,
                             int *firstRefused = nullptr);

    // Every value from the cells, as a reset followed by clicks would leave them.
    void computeValues();

    bool isOn(int row, int col) const { return m_cells & bit(row, col); }
    void setOn(int row, int col, bool on) { m_cells = on ? m_cells | bit(row, col) : m_cells & ~bit(row, col); }
    std::uint32_t cellColor(int row, int col) const { return isOn(row, col) ? cellOnColor : cellOffColor; }
    Picture picture() const { return m_cells; }
    // The cells as given, the values in step with them.
    void setPicture(Picture picture)
    {
        m_cells = picture;
        computeValues();
    }

    std::int16_t value(Edge edge, int index) const { return m_values[edge][index]; }
    void setValue(Edge edge, int index, std::int16_t v) { m_values[edge][index] = v; }
    QString valueText(Edge edge, int index) const { return edgeValueText(m_values[edge][index]); }

    // Weight of cell (row, col) in the value of the given edge.
    static int weight(Edge edge, int row, int col);
    // The cell of an edge's line (a row for Left and Right, a column for Top
    // and Bottom) whose weight there is 1 << bitIndex.
    static void cellOf(Edge edge, int line, int bitIndex, int &row, int &col);
    // "left", "right", "top", "bottom", for messages and a screen reader.
    static QString edgeName(Edge edge);
    // Which element of an edge's array holds cell (row, col).
    static int indexOf(Edge edge, int row, int col) { return (edge == Left || edge == Right) ? row : col; }

    // Uppercase hex without leading zeros; negatives as four two's-complement digits.
    static QString edgeValueText(std::int16_t value);

private:
    Picture m_cells = 0;
    std::array<std::array<std::int16_t, Size>, EdgeCount> m_values{};
};
