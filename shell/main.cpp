#include "Application.h"
#include "FrmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Application::configure(app);

    FrmMain frmMain;
    frmMain.load();
    frmMain.show();
    return app.exec();
}
