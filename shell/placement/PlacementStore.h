#pragma once

#include "Placement.h"

#include <QString>

class QSettings;

namespace WindowPlacement {

// What kept the store from being read or written, as a value: the window
// decides how its user is told.
struct StoreProblem
{
    enum Kind {
        None,
        // What stands where the file should be.
        FolderAtFile,
        NotPlain,
        LinkToMissing, // path: where it leads
        LinkToNotPlain,
        LinkLoop,
        TooLarge, // number: its size in bytes
        // Why nothing can be written there.
        NotAFolder,
        FolderNotMade, // cause says why
        FolderNotWritable,
        FileNotWritable,
        ReadOnly,
        NoSpace, // path: the volume
        // Its lock file.
        LockFolder,
        LockNotPlain,
        LockTooLarge,  // number: its size in bytes
        LockNotMade,   // cause says why
        LockHeld,      // number: the seconds waited
        LockAbandoned, // number: the process that left it; cause: why it cannot be removed
        // The system's own words, in detail (the registry, a rare error).
        Refused,
    };

    Kind kind = None;
    Kind cause = None; // FolderNotWritable, ReadOnly, NoSpace or Refused
    QString path;      // what it concerns, as the user would look for it
    QString detail;
    qint64 number = 0;

    explicit operator bool() const { return kind != None; }
    // Why, in the words the user reads after the file's name.
    QString text() const;
};

// The figures of a placement, each stored under its own key.
enum Figure { Left = 1, Top = 2, Width = 4, Height = 8, Position = Left | Top, Size = Width | Height };

// The four keys of the window's placement in the per-user settings, under
// the application's own name: the registry on Windows, a file elsewhere.
// A file is only read or written while it is a plain file (or a link to one)
// of a sane size, and its lock is never waited for without end, so no store
// can hang the program or make it write over something that is not its own.
class PlacementStore
{
public:
    PlacementStore();

    // Where the placement is kept, as the user would look for it.
    QString location() const;

    // The stored placement; *problem says why a store that could not be read
    // safely gave the defaults.
    Placement read(StoreProblem *problem = nullptr) const;
    // Writes the figures in changed, and each other one of kept only where
    // the store holds none at that moment, so that what another window or a
    // hand edit saved meanwhile stays.
    StoreProblem write(const Placement &placement, int changed, int kept) const;

    // The four keys of any settings object. A value that is missing, not a
    // finite number or out of any sane range, or a size that is not positive,
    // falls back to its default.
    static Placement readKeys(QSettings &settings);
    // Returns whether anything was set.
    static bool writeKeys(QSettings &settings, const Placement &placement, int changed, int kept);

    // Larger than any placement needs: not read, not written over.
    static constexpr qint64 MaxFileSize = 64 * 1024;

private:
    QString m_file; // empty where the store is not a file
};

} // namespace WindowPlacement
