#pragma once

#include "Placement.h"

#include <QString>

class QSettings;

namespace WindowPlacement {

// The four keys of the window's placement in the per-user settings, under
// the application's own name: the registry on Windows, a file elsewhere.
// A file is only read or written while it is a plain file (or a link to one),
// and never waited for without end, so no store can hang the program or make
// it write over something that is not its own.
class PlacementStore
{
public:
    PlacementStore();

    // Where the placement is kept, as the user would look for it.
    QString location() const;

    // The stored placement; *problem says why a store that could not be read
    // safely gave the defaults.
    Placement read(QString *problem = nullptr) const;
    // Writes the four keys, or only the size where the platform keeps the
    // position to itself. Returns why it could not, or an empty string.
    QString write(const Placement &placement, bool withPosition) const;

    // The four keys of any settings object. A value that is missing, not a
    // finite number or out of any sane range, or a size that is not positive,
    // falls back to its default.
    static Placement readKeys(QSettings &settings);
    static void writeKeys(QSettings &settings, const Placement &placement, bool withPosition);

private:
    QString m_file; // empty where the store is not a file
};

} // namespace WindowPlacement
