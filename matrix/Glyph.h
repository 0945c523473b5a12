#pragma once

#include <QString>

#include <cstdint>

// One glyph of a set: its picture, cell (row, col) at bit row * 8 + col (row
// 0 in the low byte, column 0 its bit 0), and a free-text name, empty unless
// the user gave one.
struct Glyph
{
    std::uint64_t picture = 0;
    QString name;

    bool operator==(const Glyph &other) const { return picture == other.picture && name == other.name; }
    bool operator!=(const Glyph &other) const { return !(*this == other); }
};
