#include "Placement.h"

#include "shell/Twips.h"

#include <QRegion>

#include <algorithm>
#include <cmath>

namespace WindowPlacement {

namespace {

int area(const QRect &r)
{
    return r.isEmpty() ? 0 : r.width() * r.height();
}

// How much of a window's top left corner must show for the user to take hold
// of its title bar and move it, and to reach the controls at its left.
constexpr int Grip = 100;

bool gripShows(const QRect &r, const QList<Screen> &screens)
{
    QRegion uncovered(QRect(r.topLeft(), r.size().boundedTo(QSize(Grip, Grip))));
    for (const Screen &s : screens)
        uncovered -= s.available;
    return uncovered.isEmpty();
}

} // namespace

QRect Placement::pixels() const
{
    const auto px = [](int twips) { return static_cast<int>(std::lround(twips / double(Twips::PerPixel))); };
    return QRect(px(left), px(top), px(width), px(height));
}

QRect movedInto(QRect r, const QRect &area)
{
    r.moveLeft(std::max(area.left(), std::min(r.left(), area.right() + 1 - r.width())));
    r.moveTop(std::max(area.top(), std::min(r.top(), area.bottom() + 1 - r.height())));
    return r;
}

QRect fit(const QRect &r, const QList<Screen> &screens, QSize minimum, bool *moved, bool *cut)
{
    if (moved)
        *moved = false;
    if (cut)
        *cut = false;
    if (screens.isEmpty())
        return r;
    // The screen holding its top left corner, else the one showing most of it.
    const Screen *on = nullptr;
    for (const Screen &s : screens)
        if (!on && s.geometry.contains(r.topLeft()))
            on = &s;
    if (!on)
        for (const Screen &s : screens)
            if (area(s.geometry & r) > (on ? area(on->geometry & r) : 0))
                on = &s;
    if (on) {
        // Never larger than the screen: a stored size of any figure costs no more
        // than a maximised window. Held to that, or with too little of its top
        // left corner showing to take hold of it, it is brought onto that
        // screen whole; else it stands where the user left it.
        const QRect avail = on->available;
        const QRect held(r.topLeft(), r.size().expandedTo(minimum).boundedTo(avail.size()));
        const bool wasCut = r.width() > avail.width() || r.height() > avail.height();
        if (!wasCut && gripShows(held, screens))
            return held;
        const QRect whole = movedInto(held, avail);
        if (cut)
            *cut = wasCut;
        if (moved)
            *moved = whole.topLeft() != r.topLeft();
        return whole;
    }

    if (moved)
        *moved = true;
    const QRect avail = screens.front().available;
    const QPoint offset = Placement().pixels().topLeft();
    // The default place if the window fits there, else as near it as it fits.
    QSize size = r.size().boundedTo(avail.size() - QSize(offset.x(), offset.y()));
    size = size.expandedTo(minimum).boundedTo(avail.size());
    return movedInto(QRect(avail.topLeft() + offset, size), avail);
}

} // namespace WindowPlacement
