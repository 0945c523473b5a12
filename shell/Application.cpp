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
    QIcon icon;
    icon.addFile(QStringLiteral(":/zentil/zentil-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/zentil/zentil.svg"));
    app.setWindowIcon(icon);
}
