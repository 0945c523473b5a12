#include "WindowPlacement.h"

#include "Twips.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace WindowPlacement {

namespace {

const char *const Group = "Settings";
// Far beyond any desktop, yet small enough that pixel arithmetic never overflows.
constexpr double Limit = 1.0e8;

int readKey(QSettings &settings, const QString &key, int fallback, bool mustBePositive)
{
    const QVariant stored = settings.value(key);
    if (!stored.isValid())
        return fallback;
    bool ok = false;
    const double v = stored.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || std::fabs(v) > Limit || (mustBePositive && v < 1.0))
        return fallback;
    return static_cast<int>(std::lround(v));
}

QString applicationName()
{
    return QCoreApplication::applicationName();
}

// QSettings only says that it could not write; find out why, for the user.
QString whyUnwritable(const QString &path)
{
    const QFileInfo file(path);
    for (QFileInfo dir(file.absolutePath()); !dir.isRoot(); dir = QFileInfo(dir.absolutePath())) {
        if (dir.exists() && !dir.isDir())
            return QStringLiteral("%1 is not a folder").arg(dir.absoluteFilePath());
    }
    if (file.isDir())
        return QStringLiteral("a folder stands where the file should be");
    if (!QDir().mkpath(file.absolutePath()))
        return QStringLiteral("the folder %1 cannot be made").arg(file.absolutePath());
    QSaveFile probe(path);
    if (!probe.open(QIODevice::WriteOnly))
        return probe.errorString();
    // Enough to need a block of its own, so a full file system shows.
    const QByteArray block(64 * 1024, '\n');
    if (probe.write(block) != block.size() || !probe.flush())
        return probe.errorString();
    probe.cancelWriting();
    return QStringLiteral("the settings could not be written");
}

int area(const QRect &r)
{
    return r.isEmpty() ? 0 : r.width() * r.height();
}

// Moved as little as it takes to lie inside the area, as far as it can.
QRect movedInto(QRect r, const QRect &area)
{
    r.moveLeft(std::max(area.left(), std::min(r.left(), area.right() + 1 - r.width())));
    r.moveTop(std::max(area.top(), std::min(r.top(), area.bottom() + 1 - r.height())));
    return r;
}

// The screens a window can go to: those of the same desktop as the primary
// one. A second X screen has a desktop of its own that the window never reaches.
QList<Screen> reachableScreens()
{
    QList<Screen> out;
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return out;
    out << Screen{primary->geometry(), primary->availableGeometry()};
    for (const QScreen *s : primary->virtualSiblings())
        if (s != primary)
            out << Screen{s->geometry(), s->availableGeometry()};
    return out;
}

QSize frameExtra(const QWidget *window)
{
    return window->frameGeometry().size() - window->geometry().size();
}

} // namespace

QRect Placement::pixels() const
{
    const auto px = [](int twips) { return static_cast<int>(std::lround(twips / double(Twips::PerPixel))); };
    return QRect(px(left), px(top), px(width), px(height));
}

Placement read(QSettings &settings)
{
    const Placement defaults;
    settings.beginGroup(QLatin1String(Group));
    Placement p;
    p.left = readKey(settings, QStringLiteral("MainLeft"), defaults.left, false);
    p.top = readKey(settings, QStringLiteral("MainTop"), defaults.top, false);
    p.width = readKey(settings, QStringLiteral("MainWidth"), defaults.width, true);
    p.height = readKey(settings, QStringLiteral("MainHeight"), defaults.height, true);
    settings.endGroup();
    return p;
}

QString write(QSettings &settings, const Placement &p, bool withPosition)
{
    settings.beginGroup(QLatin1String(Group));
    if (withPosition) {
        settings.setValue(QStringLiteral("MainLeft"), QString::number(p.left));
        settings.setValue(QStringLiteral("MainTop"), QString::number(p.top));
    }
    settings.setValue(QStringLiteral("MainWidth"), QString::number(p.width));
    settings.setValue(QStringLiteral("MainHeight"), QString::number(p.height));
    settings.endGroup();
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return QString();
    return whyUnwritable(settings.fileName());
}

QRect fit(const QRect &r, const QList<Screen> &screens, QSize minimum, bool *moved)
{
    if (moved)
        *moved = false;
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
        // than a maximised window. Held to that, it must still show.
        const QRect held(r.topLeft(), r.size().boundedTo(on->available.size()));
        if (held.intersects(on->geometry))
            return held;
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

bool platformPlacesWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void Keeper::restore(QWidget *window)
{
    QSettings settings(applicationName(), applicationName());
    m_stored = read(settings);
    const QSize extra = frameExtra(window);
    const QRect outer = fit(m_stored.pixels(), reachableScreens(), window->minimumSize() + extra, &m_moved);
    // Where the window system chooses the place itself, asking is pointless.
    if (platformPlacesWindows())
        window->move(outer.topLeft());
    window->resize(outer.size() - extra);
    // The frame is unknown until the window manager has framed the window.
    m_wantedOuter = outer.size();
    m_settled = false;
}

void Keeper::settle(QWidget *window)
{
    if (m_settled)
        return;
    const QSize extra = frameExtra(window);
    if (extra.width() <= 0 && extra.height() <= 0)
        return;
    m_settled = true;
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QRect avail = screen->availableGeometry();
    // On a screen smaller than the layout, the window still fits the screen.
    const QSize room = avail.size() - extra;
    if (window->minimumWidth() > room.width() || window->minimumHeight() > room.height())
        window->setMinimumSize(window->minimumSize().boundedTo(room));
    const QSize outer = m_wantedOuter.boundedTo(avail.size());
    if (window->frameGeometry().size() != outer)
        window->resize(outer - extra);
    if (m_moved && platformPlacesWindows()) {
        const QRect frame(window->frameGeometry().topLeft(), window->size() + extra);
        const QRect fitted = movedInto(frame, avail);
        if (fitted.topLeft() != frame.topLeft())
            window->move(fitted.topLeft());
    }
}

void Keeper::windowEvent(QWidget *window, QEvent::Type type)
{
    // A window manager's frame shows with the moves and resizes of framing
    // it; a frame the window draws itself (Wayland) is there by its first
    // update. Later updates, the hot path of painting, need no look.
    if (type == QEvent::UpdateRequest) {
        if (m_updated)
            return;
        m_updated = true;
    } else if (type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize) {
        return;
    }
    if (window->isVisible())
        settle(window);
}

void Keeper::save(QWidget *window)
{
    const QRect outer = window->frameGeometry();
    const QRect given = m_stored.pixels();
    // A figure the window still stands on goes back as it was read; only what
    // moved is written anew, so a close without a move changes nothing.
    const auto keep = [](int stored, int storedPixels, int pixels) {
        return pixels == storedPixels ? stored : Twips::fromPixels(pixels);
    };
    Placement p;
    p.left = keep(m_stored.left, given.left(), outer.left());
    p.top = keep(m_stored.top, given.top(), outer.top());
    p.width = keep(m_stored.width, given.width(), outer.width());
    p.height = keep(m_stored.height, given.height(), outer.height());
    QSettings settings(applicationName(), applicationName());
    const QString error = write(settings, p, platformPlacesWindows());
    if (!error.isEmpty())
        qWarning().noquote() << QStringLiteral("ZENTIL: the window placement could not be saved to %1: %2")
                                    .arg(QDir::toNativeSeparators(settings.fileName()), error);
}

} // namespace WindowPlacement
