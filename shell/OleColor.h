#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

// Colours are stored as 0x00BBGGRR for a fixed colour, or 0x800000nn for
// system colour nn, which maps onto the nearest role of the running style.
namespace OleColor {

inline QColor toQColor(std::uint32_t value, const QPalette &palette)
{
    if (value & 0x80000000u) {
        switch (value & 0xFFu) {
        case 4: // menu background
            return palette.color(QPalette::Window);
        case 8: // window text
            return palette.color(QPalette::WindowText);
        case 15: // button face
            return palette.color(QPalette::Button);
        case 22: // light 3-D shade
            return palette.color(QPalette::Midlight);
        default:
            return palette.color(QPalette::Window);
        }
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

} // namespace OleColor
