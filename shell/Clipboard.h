#pragma once

#include <QString>

#include <functional>

// Puts plain text on the system clipboard and checks that it arrived: a
// clipboard that another program holds, or no clipboard at all, must not be
// reported as written.
namespace Clipboard {

bool write(const QString &text);

// Tests replace the platform write with their own; the check stays.
void setWriterForTests(std::function<void(const QString &)> writer);

} // namespace Clipboard
