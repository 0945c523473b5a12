#include "Application.h"

#include "AccessibleFactory.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

void Application::configure(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("ZENTIL"));
    QApplication::setOrganizationName(QStringLiteral("ZENTIL"));
    QApplication::setApplicationVersion(QStringLiteral(ZENTIL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("zentil"));
    AccessibleFactory::install();
    // One style everywhere, so the fixed layout looks the same on every desktop.
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    // No 16 px entry: window managers draw a title bar's icon from the 32 px
    // one, which stays sharper scaled down than the small drawing does.
    QIcon icon;
    for (int size : {32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/zentil/zentil-%1.png").arg(size), QSize(size, size));
    app.setWindowIcon(icon);
}
