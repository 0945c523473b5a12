#include "MatrixState.h"

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
