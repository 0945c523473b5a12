#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {
std::function<void(const QString &)> &writer()
{
    static std::function<void(const QString &)> w;
    return w;
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
    return clipboard->text() == text;
}

void Clipboard::setWriterForTests(std::function<void(const QString &)> w)
{
    writer() = std::move(w);
}
