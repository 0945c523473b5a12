#pragma once

class QApplication;

// What the program and its tests set up alike before any window exists:
// names (the settings are kept under the application's name), style, icon.
namespace Application {

void configure(QApplication &app);

} // namespace Application
