#pragma once

#include <QString>

#include <functional>

class QObject;

// Puts plain text on the system clipboard and checks that it arrived: a
// clipboard that another program holds, or no clipboard at all, must not be
// reported as written.
namespace Clipboard {

// Calls done(true) if the clipboard holds the text once the window system has
// answered, else done(false). On a platform whose clipboard is the program's
// own, at once; elsewhere a moment later, from the event loop, and not at all
// once context is gone.
void write(const QString &text, QObject *context, std::function<void(bool written)> done);

// Tests replace the platform write with their own; the check stays.
void setWriterForTests(std::function<void(const QString &)> writer);

} // namespace Clipboard
