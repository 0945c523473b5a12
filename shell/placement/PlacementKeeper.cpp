#include "PlacementKeeper.h"

#include "shell/Twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>
#include <cstdlib>

namespace WindowPlacement {

namespace {

// Where a window may stand on a screen. At a scale other than 1 the screen's
// figures and the frame's are each rounded to whole pixels, either way: a
// window one pixel in from every edge stays on the screen at any scale.
QRect usable(const QScreen *s)
{
    const QRect avail = s->availableGeometry();
    return s->devicePixelRatio() == 1.0 ? avail : avail.adjusted(1, 1, -1, -1);
}

// The screens a window can go to: those of the same desktop as the primary
// one. A second X screen has a desktop of its own that the window never reaches.
QList<Screen> reachableScreens()
{
    QList<Screen> out;
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return out;
    out << Screen{primary->geometry(), usable(primary)};
    for (const QScreen *s : primary->virtualSiblings())
        if (s != primary)
            out << Screen{s->geometry(), usable(s)};
    return out;
}

QSize frameExtra(const QWidget *window)
{
    return window->frameGeometry().size() - window->geometry().size();
}

} // namespace

PlacementKeeper::PlacementKeeper(QWidget *window)
    : QObject(window), m_window(window),
      m_placesWindows(!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
{
    window->installEventFilter(this);
}

StoreProblem PlacementKeeper::restore()
{
    StoreProblem problem;
    m_stored = m_store.read(&problem);
    // Not yet shown, the window has no frame: fitted by its inner size now,
    // by its outer size once the frame is known.
    bool cut = false;
    m_asked = fit(m_stored.pixels(), reachableScreens(), m_window->minimumSize(), &m_moved, &cut);
    m_moved = m_moved || cut;
    if (m_placesWindows)
        m_window->move(m_asked.topLeft());
    m_window->resize(m_asked.size());
    m_phase = Phase::AwaitingFrame;
    return problem;
}

void PlacementKeeper::settle()
{
    const QSize extra = frameExtra(m_window);
    if (extra.width() <= 0 && extra.height() <= 0)
        return;
    m_phase = Phase::Placed;
    // The screen holding its top left corner, where fit() placed it; Qt's
    // own choice follows the window's centre.
    const QPoint corner = m_moved ? m_window->frameGeometry().topLeft() : m_asked.topLeft();
    const QScreen *screen = QGuiApplication::screenAt(corner);
    if (!screen)
        screen = m_window->screen();
    if (!screen)
        return;
    const QRect avail = usable(screen);
    // On a screen smaller than the layout, the window still fits the screen.
    const QSize room = avail.size() - extra;
    if (m_window->minimumWidth() > room.width() || m_window->minimumHeight() > room.height())
        m_window->setMinimumSize(m_window->minimumSize().boundedTo(room));
    // Brought back or cut, it is fitted where the window manager framed it;
    // else it stands where it was asked to.
    const QPoint at = m_moved ? m_window->frameGeometry().topLeft() : m_asked.topLeft();
    const QSize outer = m_asked.size().boundedTo(avail.size());
    if (m_window->frameGeometry().size() != outer)
        m_window->resize(outer - extra);
    // As large as asked, or as the window's minimum allows.
    QRect frame(at, m_window->size() + extra);
    // Brought back or cut to a screen, it is seen whole, title bar included.
    if (m_moved && m_placesWindows) {
        const QRect fitted = movedInto(frame, avail);
        if (fitted.topLeft() != frame.topLeft())
            m_window->move(fitted.topLeft());
        frame = fitted;
    }
    m_asked = frame;
}

bool PlacementKeeper::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window || m_phase != Phase::AwaitingFrame)
        return false;
    // A window manager's frame shows with the moves and resizes of framing
    // it; a frame the window draws itself (Wayland) is there by its first
    // update. Later updates, the hot path of painting, are not looked at.
    switch (event->type()) {
    case QEvent::UpdateRequest:
        if (m_painted)
            return false;
        m_painted = true;
        break;
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
        break;
    default:
        return false;
    }
    if (m_window->isVisible())
        settle();
    return false;
}

StoreProblem PlacementKeeper::save()
{
    const QRect outer = m_window->frameGeometry();
    // Geometry at a fractional scale is rounded to whole pixels on the way
    // out and back, so a figure may come back a pixel off what was asked.
    const qreal ratio = m_window->devicePixelRatioF();
    const int slack = ratio == std::floor(ratio) ? 0 : 1;
    // Only a figure the user has changed is written, so a close without a
    // move or resize changes nothing, on any screen at any scale; the others
    // are written as they were read only where the store holds none.
    Placement p = m_stored;
    int changed = 0;
    const auto take = [&changed, slack](Figure figure, int &twips, int askedPixels, int pixels) {
        if (std::abs(pixels - askedPixels) > slack) {
            twips = Twips::fromPixels(pixels);
            changed |= figure;
        }
    };
    take(Left, p.left, m_asked.left(), outer.left());
    take(Top, p.top, m_asked.top(), outer.top());
    take(Width, p.width, m_asked.width(), outer.width());
    take(Height, p.height, m_asked.height(), outer.height());
    const int kept = m_placesWindows ? Position | Size : Size;
    return m_store.write(p, changed & kept, kept);
}

} // namespace WindowPlacement
