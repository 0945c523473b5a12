#pragma once

class QApplication;

// What the program and its tests set up alike before any window exists:
// names (the settings are kept under the application's name), style, icon.
namespace Application {

void configure(QApplication &app);

// Before the application exists: why it cannot show a window, or nothing.
// Where Qt would look for an X11 or Wayland display and none is named, it
// would abort with advice that misleads.
const char *missingDisplay(int argc, char **argv);

} // namespace Application
