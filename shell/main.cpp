#include "Application.h"
#include "FrmMain.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    const QString why = Application::missingDisplay(argc, argv);
    if (!why.isEmpty()) {
        std::fprintf(stderr, "%s\n", why.toLocal8Bit().constData());
        return 1;
    }
    QApplication app(argc, argv);
    Application::configure(app);

    FrmMain frmMain;
    frmMain.load();
    frmMain.show();
    return app.exec();
}
