#include "Application.h"
#include "FrmMain.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (const char *why = Application::missingDisplay(argc, argv)) {
        std::fprintf(stderr, "%s\n", why);
        return 1;
    }
    QApplication app(argc, argv);
    Application::configure(app);

    FrmMain frmMain;
    frmMain.load();
    frmMain.show();
    return app.exec();
}
