#pragma once

#include <QString>

class QApplication;

// What the program and its tests set up alike before any window exists:
// names (the settings are kept under the application's name), style, icon.
namespace Application {

void configure(QApplication &app);

// Before the application exists: why it cannot show a window, naming what
// was tried, or nothing. Where no X11 or Wayland display that Qt would try
// answers, Qt would abort with advice that misleads.
QString missingDisplay(int argc, char **argv);

} // namespace Application
