#include "Application.h"
#include "FrmMain.h"

#include <QApplication>

#include <cstdio>

#ifdef Q_OS_WIN
#include <QMessageBox>

namespace {

QtMessageHandler defaultHandler = nullptr;

// A Windows GUI program has no standard error (Qt's own handler sends it to
// the debugger): what ZENTIL reports to its user is shown in a box as well.
void showReports(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    defaultHandler(type, context, message);
    const QString prefix = QStringLiteral("ZENTIL: ");
    if (type != QtWarningMsg || !message.startsWith(prefix) || message.size() == prefix.size())
        return;
    QString text = message.mid(prefix.size());
    text[0] = text[0].toUpper();
    QMessageBox::warning(nullptr, QStringLiteral("ZENTIL"), text);
}

} // namespace
#endif

int main(int argc, char *argv[])
{
    if (const char *why = Application::missingDisplay(argc, argv)) {
        std::fprintf(stderr, "%s\n", why);
        return 1;
    }
    QApplication app(argc, argv);
    Application::configure(app);
#ifdef Q_OS_WIN
    defaultHandler = qInstallMessageHandler(showReports);
#endif

    FrmMain frmMain;
    frmMain.load();
    frmMain.show();
    return app.exec();
}
