#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QSettings;
class QWidget;

// The main window's outer rectangle in twips, remembered between runs in the
// per-user settings under the application's own name.
namespace WindowPlacement {

struct Placement
{
    int left = 1000;
    int top = 1000;
    int width = 10000;
    int height = 12000;

    QRect pixels() const;
    bool operator==(const Placement &o) const
    {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

// Reads the four keys; a value that is missing, not a finite number or out of
// any sane range, or a size that is not positive, falls back to its default.
Placement read(QSettings &settings);
void write(QSettings &settings, const Placement &placement);

// A rectangle that no screen shows at all is put back at the default position
// on the primary screen, shrunk to fit it; any other is left as it is.
Placement keepReachable(const Placement &placement, const QList<QRect> &screens, const QRect &primary);

void restore(QWidget *window);
// Once the window's frame is known, gives it the outer size restore() asked for.
void settleOuterSize(QWidget *window);
void save(QWidget *window);

} // namespace WindowPlacement
