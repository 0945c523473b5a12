#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>

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

// Qt asks the window system who owns the clipboard each time it is read: if
// another program has taken it, this reads what that program holds, which may
// well be this very text (a clipboard manager keeps copies).
bool holds(const QString &text)
{
    return QGuiApplication::clipboard()->text() == text;
}

} // namespace

void Clipboard::write(const QString &text, QObject *context, std::function<void(bool written)> done)
{
    // Replaced, not cleared first: a clipboard left without an owner even for
    // a moment is what clipboard managers fill with their last entry.
    if (writer())
        writer()(text);
    else
        QGuiApplication::clipboard()->setText(text);
    if (privateClipboard()) {
        done(holds(text));
        return;
    }
    // Setting it waited for the window system's answer; whoever takes it back
    // has until the check to do so, while events go on being served.
    QTimer::singleShot(SettleMs, context, [text, done = std::move(done)] {
        QGuiApplication::sync();
        done(holds(text));
    });
}

void Clipboard::setWriterForTests(std::function<void(const QString &)> w)
{
    writer() = std::move(w);
}
