// Where each named control of the main window lies, in the window's own
// pixels at scale 1, read from the real layout: the scripts that click ZENTIL
// on a real screen take every place from this table, so none of them holds a
// copy of the layout.
//   control_table [FILE]    one line per control: name, centre x and y, then
//                           left, top, width and height; to FILE or stdout

#include "shell/FrmMain.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>
#include <QWidget>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen"); // nothing is shown
    QApplication app(argc, argv);
    FrmMain window;

    // Written as bytes, so that a Windows build writes the same lines.
    QFile file(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    if (!(argc > 1 ? file.open(QIODevice::WriteOnly) : file.open(stdout, QIODevice::WriteOnly))) {
        std::fprintf(stderr, "control_table: cannot write %s\n", argc > 1 ? argv[1] : "to standard output");
        return 1;
    }
    QTextStream out(&file);
    int count = 0;
    for (const QWidget *control : window.findChildren<QWidget *>()) {
        const QString name = control->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) // Qt's own parts of a control
            continue;
        const QRect r(control->mapTo(&window, QPoint(0, 0)), control->size());
        out << name << ' ' << r.left() + r.width() / 2 << ' ' << r.top() + r.height() / 2 << ' ' << r.left() << ' '
            << r.top() << ' ' << r.width() << ' ' << r.height() << '\n';
        ++count;
    }
    out.flush();
    return count > 0 && file.error() == QFileDevice::NoError ? 0 : 1;
}
