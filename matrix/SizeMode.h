#pragma once

#include "MatrixState.h"

// The 5x7 mode shows columns 0..4 of rows 0..6. It is only a view: hidden
// cells keep their state and keep counting in the edge values.
namespace SizeMode {

// How many values of an edge a listing takes: 7 rows or 5 columns in 5x7.
constexpr int valueCount(MatrixState::Edge edge, bool fiveBySeven)
{
    if (!fiveBySeven)
        return MatrixState::Size;
    return (edge == MatrixState::Left || edge == MatrixState::Right) ? 7 : 5;
}

constexpr bool inFiveBySevenArea(int row, int col)
{
    return row < 7 && col < 5;
}

} // namespace SizeMode
