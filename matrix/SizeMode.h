#pragma once

#include "MatrixState.h"

#include <QStringList>

// The 5x7 mode shows columns 0..4 of rows 0..6. It is only a view: hidden
// cells keep their state and keep counting in the edge values.
namespace SizeMode {

// The controls hidden in 5x7, in the order they are switched: the eight edge
// boxes outside the area one by one, then the two frames holding the cells.
inline const QStringList &controlsOutside5x7()
{
    static const QStringList names{QStringLiteral("tt5"),   QStringLiteral("tt6"), QStringLiteral("tt7"),
                                   QStringLiteral("tb5"),   QStringLiteral("tb6"), QStringLiteral("tb7"),
                                   QStringLiteral("tl7"),   QStringLiteral("tr7"), QStringLiteral("Frame1"),
                                   QStringLiteral("Frame2")};
    return names;
}

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
