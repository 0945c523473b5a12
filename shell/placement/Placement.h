#pragma once

#include <QList>
#include <QRect>

// Where the main window stands, and where it may stand: plain geometry, no
// window and no store.
namespace WindowPlacement {

// The window's outer rectangle in twips, as the store keeps it.
struct Placement
{
    int left = 1000;
    int top = 1000;
    int width = 10000;
    int height = 12000;

    // To the nearest pixel.
    QRect pixels() const;
    bool operator==(const Placement &o) const
    {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

struct Screen
{
    QRect geometry;
    QRect available;
};

// Where a window asking for outer rectangle r (pixels) opens, given the
// screens it can be shown on (the first being the primary one) and its
// smallest outer size. It opens on the screen holding its top left corner, or
// else on the one showing most of it, never larger than that screen's
// available area. Where it stands partly off the screens, it stays so as long
// as the corner that holds its title bar and left controls shows; cut, or
// without that corner, it is brought onto the screen whole. Shown by none, it
// is brought to the default position on the primary screen and made to fit
// there entirely.
// *moved tells whether it was brought back, *cut whether it was made smaller.
QRect fit(const QRect &r, const QList<Screen> &screens, QSize minimum, bool *moved = nullptr, bool *cut = nullptr);

// Moved as little as it takes to lie inside the area, as far as it can.
QRect movedInto(QRect r, const QRect &area);

} // namespace WindowPlacement
