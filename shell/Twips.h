#pragma once

#include <QRect>

// The layout is designed in twips; at 96 dpi fifteen of them make a pixel,
// and every figure of the design divides exactly.
namespace Twips {

constexpr int PerPixel = 15;

constexpr int toPixels(int twips)
{
    return twips / PerPixel;
}
constexpr int fromPixels(int pixels)
{
    return pixels * PerPixel;
}

inline QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace Twips
