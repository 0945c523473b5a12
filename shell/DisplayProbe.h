#pragma once

#include <QByteArray>
#include <QList>

// Whether a display server answers, looked for where its client library would
// look, by a connection that is closed at once: cheap enough to ask before
// Qt, which aborts where none answers.
namespace DisplayProbe {

// DISPLAY's forms: [protocol/][host]:number[.screen], or a socket's path.
bool xServerAnswers(const QByteArray &display);
// WAYLAND_DISPLAY's: a socket's name in XDG_RUNTIME_DIR, or its path.
bool waylandAnswers(const QByteArray &name, const QByteArray &runtimeDir);

} // namespace DisplayProbe
