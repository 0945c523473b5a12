#include "Application.h"

#include "AccessibleFactory.h"
#include "DisplayProbe.h"

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
    // Every size of the window icon is decoded at start-up to be handed to the
    // window manager, so only those a title bar or task switcher draws: 32 px,
    // and 64 px at a doubled scale. No 16 px entry: scaled down, the 32 px one
    // stays sharper than the small drawing.
    QIcon icon;
    for (int size : {32, 64})
        icon.addFile(QStringLiteral(":/zentil/zentil-%1.png").arg(size), QSize(size, size));
    app.setWindowIcon(icon);
}

QString Application::missingDisplay(int argc, char **argv)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    // The platforms as Qt tries them: -platform, else QT_QPA_PLATFORM, else
    // Wayland first where one is named or the session is Wayland's, then X11.
    QByteArray platforms = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i)
        if (qstrcmp(argv[i], "-platform") == 0 || qstrcmp(argv[i], "--platform") == 0)
            platforms = argv[i + 1];
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    if (platforms.isEmpty())
        platforms = !wayland.isEmpty() || qgetenv("XDG_SESSION_TYPE") == "wayland" ? "wayland;xcb" : "xcb";
    QStringList tried;
    for (const QByteArray &entry : platforms.split(';')) {
        const QByteArray name = entry.split(':').constFirst().trimmed();
        if (name.startsWith("wayland")) {
            // A compositor handed over as a socket is not looked for.
            const QByteArray socket = wayland.isEmpty() ? QByteArray("wayland-0") : wayland;
            if (qEnvironmentVariableIsSet("WAYLAND_SOCKET") ||
                DisplayProbe::waylandAnswers(socket, qgetenv("XDG_RUNTIME_DIR")))
                return {};
            tried << QStringLiteral("no Wayland compositor answers on %1").arg(QString::fromLocal8Bit(socket));
        } else if (name == "xcb") {
            if (!display.isEmpty() && DisplayProbe::xServerAnswers(display))
                return {};
            tried << (display.isEmpty()
                          ? QStringLiteral("DISPLAY is not set")
                          : QStringLiteral("no X server answers on %1").arg(QString::fromLocal8Bit(display)));
        } else if (!name.isEmpty()) {
            return {}; // offscreen, a framebuffer, VNC: no display needed
        }
    }
    const QString lead = QStringLiteral("ZENTIL needs a graphical desktop: ");
    if (display.isEmpty() && wayland.isEmpty())
        return lead + QStringLiteral("no X11 or Wayland display was found");
    return lead + tried.join(QStringLiteral(", and "));
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return {};
#endif
}
