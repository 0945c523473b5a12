#include "MatrixState.h"

#include "SizeMode.h"

MatrixState::MatrixState()
{
    reset();
}

void MatrixState::reset()
{
    for (auto &row : m_cells)
        row.fill(cellOffColor);
    for (auto &edge : m_values)
        edge.fill(0);
}

int MatrixState::weight(Edge edge, int row, int col)
{
    switch (edge) {
    case Left:
        return 1 << col;
    case Right:
        return 1 << (7 - col);
    case Top:
        return 1 << row;
    case Bottom:
        return 1 << (7 - row);
    }
    return 0;
}

MatrixState::ToggleResult MatrixState::toggleCell(int row, int col)
{
    const int sign = isOn(row, col) ? -1 : 1;
    std::array<int, EdgeCount> next{};
    for (int e = 0; e < EdgeCount; ++e) {
        const auto edge = static_cast<Edge>(e);
        // Computed in int so that the range check itself cannot overflow.
        next[e] = m_values[e][indexOf(edge, row, col)] + sign * weight(edge, row, col);
        if (next[e] < INT16_MIN || next[e] > INT16_MAX)
            return ToggleResult::OutOfRange;
    }
    m_cells[row][col] = sign > 0 ? cellOnColor : cellOffColor;
    for (int e = 0; e < EdgeCount; ++e)
        m_values[e][indexOf(static_cast<Edge>(e), row, col)] = static_cast<std::int16_t>(next[e]);
    return ToggleResult::Done;
}

static int hexDigitValue(const QString &ch)
{
    if (ch.size() != 1)
        return -1;
    const char16_t c = ch.at(0).unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

void MatrixState::enterColumn(int col, const QString &text)
{
    if (text.isEmpty())
        return;
    const auto writeHalf = [&](int digit, int firstRow) {
        if (digit < 0)
            return;
        for (int k = 0; k < 4; ++k)
            m_cells[firstRow + k][col] = (digit >> k) & 1 ? cellOnColor : cellOffColor;
    };
    writeHalf(hexDigitValue(text.right(1)), 0);
    writeHalf(hexDigitValue(text.left(1)), 4);
}

QString MatrixState::edgeValueText(std::int16_t value)
{
    return QString::number(static_cast<std::uint16_t>(value), 16).toUpper();
}

bool MatrixState::canTransform(Transform transform, bool fiveBySeven)
{
    return !fiveBySeven || (transform != Transform::RotateClockwise && transform != Transform::RotateAnticlockwise);
}

void MatrixState::transform(Transform transform, bool fiveBySeven)
{
    if (!canTransform(transform, fiveBySeven))
        return;
    const int rows = fiveBySeven ? 7 : Size;
    const int cols = fiveBySeven ? 5 : Size;
    const auto before = m_cells;
    // Where cell (r, c) of the result comes from; out of the area: off.
    const auto source = [&](int r, int c) -> std::uint32_t {
        int sr = r;
        int sc = c;
        switch (transform) {
        case Transform::ShiftUp:
            sr = r + 1;
            break;
        case Transform::ShiftDown:
            sr = r - 1;
            break;
        case Transform::ShiftLeft:
            sc = c + 1;
            break;
        case Transform::ShiftRight:
            sc = c - 1;
            break;
        case Transform::Mirror:
            sc = cols - 1 - c;
            break;
        case Transform::Flip:
            sr = rows - 1 - r;
            break;
        case Transform::RotateClockwise:
            sr = rows - 1 - c;
            sc = r;
            break;
        case Transform::RotateAnticlockwise:
            sr = c;
            sc = cols - 1 - r;
            break;
        case Transform::Invert:
            return before[r][c] == cellOnColor ? cellOffColor : cellOnColor;
        }
        if (sr < 0 || sr >= rows || sc < 0 || sc >= cols)
            return cellOffColor;
        // A cell is on or off; any other colour it held counts as off.
        return before[sr][sc] == cellOnColor ? cellOnColor : cellOffColor;
    };
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            m_cells[r][c] = source(r, c);
    computeValues();
}

MatrixState::EdgeResult MatrixState::setEdgeValues(Edge edge, const std::array<int, Size> &values, bool fiveBySeven)
{
    const bool rowsEdge = edge == Left || edge == Right;
    const int lines = SizeMode::valueCount(edge, fiveBySeven);
    // The cell of line i that bit b of its value stands for.
    const auto cellOf = [&](int line, int bit) {
        for (int k = 0; k < Size; ++k) {
            const int row = rowsEdge ? line : k;
            const int col = rowsEdge ? k : line;
            if (weight(edge, row, col) == 1 << bit)
                return std::pair<int, int>(row, col);
        }
        return std::pair<int, int>(0, 0);
    };
    for (int i = 0; i < lines; ++i) {
        for (int bit = 0; bit < Size; ++bit) {
            const auto [row, col] = cellOf(i, bit);
            if (fiveBySeven && (values[i] >> bit & 1) && !SizeMode::inFiveBySevenArea(row, col))
                return EdgeResult::NeedsHiddenCell;
        }
    }
    for (int i = 0; i < lines; ++i) {
        for (int bit = 0; bit < Size; ++bit) {
            const auto [row, col] = cellOf(i, bit);
            m_cells[row][col] = (values[i] >> bit & 1) ? cellOnColor : cellOffColor;
        }
    }
    computeValues();
    return EdgeResult::Done;
}

void MatrixState::computeValues()
{
    for (auto &edge : m_values)
        edge.fill(0);
    for (int r = 0; r < Size; ++r)
        for (int c = 0; c < Size; ++c)
            if (isOn(r, c))
                for (int e = 0; e < EdgeCount; ++e)
                    m_values[e][indexOf(static_cast<Edge>(e), r, c)] += weight(static_cast<Edge>(e), r, c);
}
