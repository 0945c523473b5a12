#include "Clipboard.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>

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

// A program that takes the clipboard back does so once the window system has
// told it that it lost it. Give it that moment before reading back.
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
    if (!privateClipboard())
        settle();
    // Qt asks the window system who owns the clipboard each time it is read:
    // if another program has taken it, this reads what that program holds,
    // which may well be this very text (a clipboard manager keeps copies).
    return clipboard->text() == text;
}

void Clipboard::setWriterForTests(std::function<void(const QString &)> w)
{
    writer() = std::move(w);
}
