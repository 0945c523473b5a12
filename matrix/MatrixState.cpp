#include "MatrixState.h"

#include "HexDigit.h"
#include "SizeMode.h"

#include <QCoreApplication>

MatrixState::MatrixState()
{
    reset();
}

void MatrixState::reset()
{
    m_cells = 0;
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

void MatrixState::cellOf(Edge edge, int line, int bitIndex, int &row, int &col)
{
    const bool rows = edge == Left || edge == Right;
    const int along = (edge == Left || edge == Top) ? bitIndex : Size - 1 - bitIndex;
    row = rows ? line : along;
    col = rows ? along : line;
}

QString MatrixState::edgeName(Edge edge)
{
    static const char *const names[EdgeCount] = {
        QT_TRANSLATE_NOOP("MatrixState", "left"), QT_TRANSLATE_NOOP("MatrixState", "right"),
        QT_TRANSLATE_NOOP("MatrixState", "top"), QT_TRANSLATE_NOOP("MatrixState", "bottom")};
    return QCoreApplication::translate("MatrixState", names[edge]);
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
    m_cells ^= bit(row, col);
    for (int e = 0; e < EdgeCount; ++e)
        m_values[e][indexOf(static_cast<Edge>(e), row, col)] = static_cast<std::int16_t>(next[e]);
    return ToggleResult::Done;
}

void MatrixState::enterColumn(int col, const QString &text)
{
    if (text.isEmpty())
        return;
    const auto writeHalf = [&](int digit, int firstRow) {
        if (digit < 0)
            return;
        for (int k = 0; k < 4; ++k)
            setOn(firstRow + k, col, (digit >> k) & 1);
    };
    // A character outside the basic plane (two code units) is no digit.
    const auto digitOf = [](const QString &ch) { return ch.size() == 1 ? HexDigit::lowercaseOnly(ch[0].unicode()) : -1; };
    writeHalf(digitOf(text.right(1)), 0);
    writeHalf(digitOf(text.left(1)), 4);
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
    const Picture before = m_cells;
    // Where cell (r, c) of the result comes from; out of the area: off.
    const auto source = [&](int r, int c) -> bool {
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
            return !(before & bit(r, c));
        }
        return sr >= 0 && sr < rows && sc >= 0 && sc < cols && (before & bit(sr, sc));
    };
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            setOn(r, c, source(r, c));
    computeValues();
}

MatrixState::EdgeResult MatrixState::setEdgeValues(Edge edge, const std::array<int, Size> &values, bool fiveBySeven,
                                                   int *firstRefused)
{
    const int lines = SizeMode::valueCount(edge, fiveBySeven);
    Picture next = m_cells;
    for (int i = 0; i < lines; ++i) {
        for (int b = 0; b < Size; ++b) {
            int row, col;
            cellOf(edge, i, b, row, col);
            const bool on = values[i] >> b & 1;
            if (fiveBySeven && on && !SizeMode::inFiveBySevenArea(row, col)) {
                if (firstRefused)
                    *firstRefused = i;
                return EdgeResult::NeedsHiddenCell;
            }
            next = on ? next | bit(row, col) : next & ~bit(row, col);
        }
    }
    setPicture(next);
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
