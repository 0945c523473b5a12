#include "Clipboard.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>

#ifdef ZENTIL_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace {

std::function<void(const QString &)> &writer()
{
    static std::function<void(const QString &)> w;
    return w;
}

// Long enough for a program that takes the clipboard back whenever it loses
// it to have done so, short enough not to be felt before the confirmation.
constexpr int SettleMs = 120;

bool privateClipboard()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

// Qt answers from its own copy for as long as it believes it owns the
// clipboard; only the window system knows whether another program has taken
// it since. Let that news arrive, so the read-back asks the real owner.
void settle()
{
    QElapsedTimer elapsed;
    elapsed.start();
    do {
        QGuiApplication::sync();
        QThread::msleep(10);
    } while (elapsed.elapsed() < SettleMs);
    QGuiApplication::sync();
}

enum class Owner { Unknown, This, Other };

// Asks the X server who owns the clipboard. Qt's own belief can be wrong: a
// request to own it that the server turned down still leaves Qt sure it does.
Owner systemOwner()
{
#ifdef ZENTIL_HAVE_XCB
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return Owner::Unknown;
    xcb_connection_t *c = x11->connection();
    const char name[] = "CLIPBOARD";
    xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr);
    if (!atom)
        return Owner::Unknown;
    xcb_get_selection_owner_reply_t *owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom->atom), nullptr);
    std::free(atom);
    if (!owner)
        return Owner::Unknown;
    // Every window this program makes carries its connection's id base.
    const xcb_setup_t *setup = xcb_get_setup(c);
    const bool ours = owner->owner != XCB_NONE && (owner->owner & ~setup->resource_id_mask) == setup->resource_id_base;
    std::free(owner);
    return ours ? Owner::This : Owner::Other;
#else
    return Owner::Unknown;
#endif
}

} // namespace

bool Clipboard::write(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (writer()) {
        writer()(text);
    } else {
        clipboard->clear();
        clipboard->setText(text);
    }
    if (privateClipboard())
        return clipboard->text() == text; // nobody else can take it
    settle();
    switch (systemOwner()) {
    case Owner::This:
        return clipboard->text() == text;
    case Owner::Other:
        // Qt still sure it owns it means it never did; otherwise it now reads
        // from the real owner, which may hold this very text (a clipboard manager).
        return !clipboard->ownsClipboard() && clipboard->text() == text;
    case Owner::Unknown:
        break;
    }
    return clipboard->text() == text;
}

void Clipboard::setWriterForTests(std::function<void(const QString &)> w)
{
    writer() = std::move(w);
}
