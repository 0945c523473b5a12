// The stored placement: any bytes as the store file, read through the store
// and fitted to one of a few desktops; then the fitted placement saved over
// that file as a close saves it, and read back. Settings live in a temporary folder of the program's
// own, never in the user's store.
//
// Input: byte 0 picks the desktop (bits 0-1), the figures this run changed
// (bits 2-5) and whether the others are kept (bit 6); the rest is the file.

#include "shell/placement/Placement.h"
#include "shell/placement/PlacementStore.h"
#include "shell/Twips.h"
#include "tests/shell/GuiTest.h"

#include <QFile>
#include <QRegion>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using WindowPlacement::Placement;
using WindowPlacement::Screen;

namespace {

void check(bool ok, const char *what)
{
    if (!ok) {
        fprintf(stderr, "store: %s\n", what);
        abort();
    }
}

const QList<QList<Screen>> desktops{
    {{QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 738)}},
    {{QRect(0, 0, 800, 600), QRect(0, 0, 800, 570)}, {QRect(800, 0, 1024, 768), QRect(800, 0, 1024, 768)}},
    {{QRect(0, 0, 1920, 1080), QRect(0, 32, 1920, 1048)},
     {QRect(-1280, -200, 1280, 1024), QRect(-1280, -200, 1280, 1024)}},
    {{QRect(0, 0, 1280, 800), QRect(0, 0, 1280, 800)}, {QRect(0, 800, 1280, 800), QRect(0, 800, 1280, 770)}},
};
const QSize minimum(495, 472); // the main window's smallest outer size

QRect checkFit(const QRect &r, const QList<Screen> &screens)
{
    bool moved = false, cut = false;
    const QRect f = WindowPlacement::fit(r, screens, minimum, &moved, &cut);
    check(moved || cut || f.topLeft() == r.topLeft(), "moved, yet said to be neither moved nor cut");
    check(std::any_of(screens.begin(), screens.end(),
                      [&](const Screen &s) {
                          return s.geometry.intersects(f) && f.width() <= s.available.width() &&
                                 f.height() <= s.available.height();
                      }),
          "opens off every screen, or larger than its screen");
    // Enough of the title bar and the controls at the left to take hold of.
    QRegion grip(QRect(f.topLeft(), QSize(50, 50)));
    for (const Screen &s : screens)
        grip -= s.available;
    check(grip.isEmpty(), "its top left corner does not show");
    check(WindowPlacement::fit(f, screens, minimum) == f, "a fitted window fitted again moves");
    return f;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // As in the program, the store is read once the application exists: a
    // stored value may name a type that needs it, a picture say.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_store";
    static char *argv[] = {name, nullptr};
    new QGuiApplication(argc, argv); // never destroyed, as the pane's program
    GuiTest::isolateSettings();
    QCoreApplication::setApplicationName(QStringLiteral("ZENTIL"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const WindowPlacement::PlacementStore store;
    QFile file(store.location());
    QDir().mkpath(QFileInfo(file).absolutePath());
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the store file cannot be made");
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    file.write(bytes);
    // QSettings keeps a file it has read until its size or time changes; two
    // inputs of one size can be written within one clock tick.
    static qint64 tick = 0;
    file.flush();
    file.setFileTime(QDateTime::fromMSecsSinceEpoch(++tick * 1000), QFileDevice::FileModificationTime);
    file.close();
    QSettings parsed(file.fileName(), QSettings::IniFormat);
    parsed.allKeys(); // read only when first asked
    parsed.beginGroup(QStringLiteral("Settings"));

    const Placement p = store.read();
    check(p.width > 0 && p.height > 0, "a size that is not positive");
    const QRect f = checkFit(p.pixels(), desktops[data[0] % desktops.size()]);

    // The close saves the window where it stands: the figures this run
    // changed, and the others only where the store has none.
    const int changed = data[0] >> 2 & WindowPlacement::Position + WindowPlacement::Size;
    const int kept = data[0] & 0x40 ? WindowPlacement::Position + WindowPlacement::Size : 0;
    const Placement q{Twips::fromPixels(f.left()), Twips::fromPixels(f.top()), Twips::fromPixels(f.width()),
                      Twips::fromPixels(f.height())};
    Placement expected = p;
    const QString keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
    int Placement::*const members[] = {&Placement::left, &Placement::top, &Placement::width, &Placement::height};
    bool writes = false;
    for (int k = 0; k < 4; ++k) {
        if ((changed >> k & 1) || ((kept >> k & 1) && !parsed.contains(keys[k]))) {
            expected.*members[k] = q.*members[k];
            writes = true;
        }
    }
    const WindowPlacement::StoreProblem problem = store.write(q, changed, kept);
    check(store.read() == expected, "written over, then read back otherwise");
    if (!writes) {
        file.open(QIODevice::ReadOnly);
        check(file.readAll() == bytes, "a close that changed nothing changed the file");
    }
    // Written over, even where QSettings could not parse it.
    check(!problem, qPrintable("not written over a plain file: " + problem.text()));
    return 0;
}
