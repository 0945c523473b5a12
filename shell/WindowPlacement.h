#pragma once

#include <QEvent>
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

    // To the nearest pixel.
    QRect pixels() const;
    bool operator==(const Placement &o) const
    {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

// Reads the four keys; a value that is missing, not a finite number or out of
// any sane range, or a size that is not positive, falls back to its default.
Placement read(QSettings &settings);
// Writes the four keys, or only the size where the platform keeps the
// position to itself. An empty result means the store holds them.
QString write(QSettings &settings, const Placement &placement, bool withPosition = true);

struct Screen
{
    QRect geometry;
    QRect available;
};

// Where a window asking for outer rectangle r (pixels) opens, given the
// screens it can be shown on (the first being the primary one) and its
// smallest outer size. It opens on the screen holding its top left corner, or
// else on the one showing most of it, never larger than that screen's
// available area; shown by none, it is brought to the default position on the
// primary screen and made to fit there entirely.
// *moved tells which of the two happened.
QRect fit(const QRect &r, const QList<Screen> &screens, QSize minimum, bool *moved = nullptr);

// Restores the placement at start-up and saves it at the end, keeping the
// stored figures where the window still stands where they put it.
class Keeper
{
public:
    void restore(QWidget *window);
    // Given the window's events: once its frame is known, gives it the outer
    // size restore() asked for, and fits a moved window to its screen again.
    void windowEvent(QWidget *window, QEvent::Type type);
    void save(QWidget *window);

private:
    void settle(QWidget *window);

    Placement m_stored;
    QSize m_wantedOuter;
    bool m_settled = true;
    bool m_moved = false;
    bool m_updated = false;
};

// False where the window system keeps window positions to itself (Wayland):
// there the stored position is neither applied nor overwritten.
bool platformPlacesWindows();

} // namespace WindowPlacement
