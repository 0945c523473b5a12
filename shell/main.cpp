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
    // The one argument is a set's file; Qt's own options are gone by now.
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 2)
        std::fprintf(stderr, "ZENTIL opens one glyph set; %s is opened, the rest is left alone\n",
                     qPrintable(args.at(1)));
    if (args.size() > 1)
        frmMain.openSet(args.at(1));
    return app.exec();
}
