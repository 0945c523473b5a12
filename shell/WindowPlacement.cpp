#include "WindowPlacement.h"

#include "Twips.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

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

} // namespace

QRect Placement::pixels() const
{
    return QRect(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width), Twips::toPixels(height));
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

void write(QSettings &settings, const Placement &p)
{
    settings.beginGroup(QLatin1String(Group));
    settings.setValue(QStringLiteral("MainLeft"), QString::number(p.left));
    settings.setValue(QStringLiteral("MainTop"), QString::number(p.top));
    settings.setValue(QStringLiteral("MainWidth"), QString::number(p.width));
    settings.setValue(QStringLiteral("MainHeight"), QString::number(p.height));
    settings.endGroup();
    settings.sync();
}

Placement keepReachable(const Placement &placement, const QList<QRect> &screens, const QRect &primary)
{
    const QRect r = placement.pixels();
    for (const QRect &screen : screens)
        if (screen.intersects(r))
            return placement;
    if (!primary.isValid())
        return placement;
    const Placement defaults;
    Placement moved;
    moved.left = Twips::fromPixels(primary.left()) + defaults.left;
    moved.top = Twips::fromPixels(primary.top()) + defaults.top;
    moved.width = std::min(placement.width, Twips::fromPixels(primary.width()) - defaults.left);
    moved.height = std::min(placement.height, Twips::fromPixels(primary.height()) - defaults.top);
    if (moved.width < 1 || moved.height < 1) {
        moved.left = Twips::fromPixels(primary.left());
        moved.top = Twips::fromPixels(primary.top());
        moved.width = std::min(placement.width, Twips::fromPixels(primary.width()));
        moved.height = std::min(placement.height, Twips::fromPixels(primary.height()));
    }
    return moved;
}

void restore(QWidget *window)
{
    QSettings settings(applicationName(), applicationName());
    Placement p = read(settings);
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->geometry();
    const QScreen *primary = QGuiApplication::primaryScreen();
    p = keepReachable(p, screens, primary ? primary->availableGeometry() : QRect());

    const QRect outer = p.pixels();
    // The window frame is unknown until the window manager has framed the
    // window; the main window corrects its size once it is (see its event()).
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    window->move(outer.topLeft());
    window->resize(outer.size() - frame);
    window->setProperty("wantedOuterSize", outer.size());
}

void settleOuterSize(QWidget *window)
{
    const QVariant wanted = window->property("wantedOuterSize");
    if (!wanted.isValid())
        return;
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    if (frame.width() <= 0 && frame.height() <= 0)
        return;
    window->setProperty("wantedOuterSize", QVariant());
    const QSize outer = wanted.toSize();
    if (window->frameGeometry().size() != outer)
        window->resize(outer - frame);
}

void save(QWidget *window)
{
    const QRect outer = window->frameGeometry();
    Placement p;
    p.left = Twips::fromPixels(outer.left());
    p.top = Twips::fromPixels(outer.top());
    p.width = Twips::fromPixels(outer.width());
    p.height = Twips::fromPixels(outer.height());
    QSettings settings(applicationName(), applicationName());
    write(settings, p);
}

} // namespace WindowPlacement
