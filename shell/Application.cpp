#include "Application.h"

#include "AccessibleFactory.h"

#include <QApplication>
#include <QFileInfo>
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
    // Every size of the window icon is decoded at start-up to be handed to the
    // window manager, so only those a title bar or task switcher draws: 32 px,
    // and 64 px at a doubled scale. No 16 px entry: scaled down, the 32 px one
    // stays sharper than the small drawing.
    QIcon icon;
    for (int size : {32, 64})
        icon.addFile(QStringLiteral(":/zentil/zentil-%1.png").arg(size), QSize(size, size));
    app.setWindowIcon(icon);
}

const char *Application::missingDisplay(int argc, char **argv)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return nullptr;
    // The platform as Qt picks it: -platform, else QT_QPA_PLATFORM, else
    // Wayland in a Wayland session and X11 elsewhere.
    QByteArray platforms = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i)
        if (qstrcmp(argv[i], "-platform") == 0 || qstrcmp(argv[i], "--platform") == 0)
            platforms = argv[i + 1];
    bool wayland = platforms.isEmpty() && qgetenv("XDG_SESSION_TYPE") == "wayland";
    for (const QByteArray &entry : platforms.split(';')) {
        const QByteArray name = entry.split(':').constFirst().trimmed();
        if (name.startsWith("wayland"))
            wayland = true;
        else if (name != "xcb" && !name.isEmpty())
            return nullptr; // offscreen, a framebuffer, VNC: no display needed
    }
    // Wayland clients find the compositor's default socket unnamed.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (wayland && !runtime.isEmpty() && QFileInfo::exists(QString::fromLocal8Bit(runtime + "/wayland-0")))
        return nullptr;
    return "ZENTIL needs a graphical desktop: no X11 or Wayland display was found";
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return nullptr;
#endif
}
