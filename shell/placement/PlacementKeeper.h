#pragma once

#include "Placement.h"
#include "PlacementStore.h"

#include <QObject>
#include <QRect>

class QWidget;

namespace WindowPlacement {

// Gives the main window its stored placement at start-up and saves it at the
// end: only the figures the user changed in this run, so that whatever else
// the store holds by then stays. It watches the window's events itself, and
// says what went wrong as a value for the window to tell.
class PlacementKeeper : public QObject
{
    Q_OBJECT

public:
    explicit PlacementKeeper(QWidget *window);

    // Before the window is shown. Returns why the store was not read.
    StoreProblem restore();
    StoreProblem save();
    QString location() const { return m_store.location(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Phase {
        Unplaced,      // nothing restored yet
        AwaitingFrame, // placed by its inner size; the outer one needs the frame
        Placed,        // where the keeper put it; what changes now is the user's
    };

    void settle();

    QWidget *m_window;
    PlacementStore m_store;
    Phase m_phase = Phase::Unplaced;
    // Where the window system chooses the place itself (Wayland), the
    // position is neither applied nor saved.
    const bool m_placesWindows;
    Placement m_stored;
    QRect m_asked;        // the outer rectangle the keeper gave the window
    bool m_moved = false; // brought back onto a screen, or cut to fit one
    bool m_painted = false;
};

} // namespace WindowPlacement
