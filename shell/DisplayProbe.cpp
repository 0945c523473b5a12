#include "DisplayProbe.h"

#include <QList>

#if defined(Q_OS_UNIX)
#include <netdb.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#endif

namespace DisplayProbe {

#if defined(Q_OS_UNIX)

namespace {

bool connects(int family, const sockaddr *address, socklen_t length)
{
    const int fd = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool answered = ::connect(fd, address, length) == 0;
    ::close(fd);
    return answered;
}

// Linux's abstract name space has no file: its name starts with a zero byte.
bool unixAnswers(const QByteArray &path, bool abstract = false)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t skip = abstract ? 1 : 0;
    if (path.isEmpty() || skip + std::size_t(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path + skip, path.constData(), std::size_t(path.size()));
    // The path's closing zero byte, or the abstract name's leading one.
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + std::size_t(path.size()) + 1);
    return connects(AF_UNIX, reinterpret_cast<const sockaddr *>(&address), length);
}

bool tcpAnswers(const QByteArray &host, int port)
{
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (::getaddrinfo(host.constData(), QByteArray::number(port).constData(), &hints, &found) != 0)
        return false;
    bool answered = false;
    for (const addrinfo *a = found; a && !answered; a = a->ai_next)
        answered = connects(a->ai_family, a->ai_addr, a->ai_addrlen);
    ::freeaddrinfo(found);
    return answered;
}

} // namespace

bool xServerAnswers(const QByteArray &display)
{
    // A socket's path, as some systems name it (with ":number" after it).
    if (display.startsWith('/'))
        return unixAnswers(display) || unixAnswers(display.left(display.lastIndexOf(':')));
    const int slash = display.indexOf('/');
    const QByteArray protocol = slash < 0 ? QByteArray() : display.left(slash);
    const QByteArray rest = display.mid(slash + 1);
    const int colon = rest.lastIndexOf(':');
    if (colon < 0)
        return false;
    QByteArray host = rest.left(colon);
    if (host.startsWith('[') && host.endsWith(']'))
        host = host.mid(1, host.size() - 2);
    bool isNumber = false;
    const int number = rest.mid(colon + 1).split('.').constFirst().toInt(&isNumber);
    if (!isNumber || number < 0)
        return false;
    if ((host.isEmpty() || host == "unix") && (protocol.isEmpty() || protocol == "unix")) {
        const QByteArray socket = "/tmp/.X11-unix/X" + QByteArray::number(number);
        if (unixAnswers(socket, true) || unixAnswers(socket))
            return true;
        if (!protocol.isEmpty() || !host.isEmpty())
            return false;
        host = "localhost"; // where no local socket answers, as the X library tries
    }
    return tcpAnswers(host, 6000 + number);
}

bool waylandAnswers(const QByteArray &name, const QByteArray &runtimeDir)
{
    if (name.startsWith('/'))
        return unixAnswers(name);
    return !runtimeDir.isEmpty() && unixAnswers(runtimeDir + '/' + name);
}

#else

bool xServerAnswers(const QByteArray &)
{
    return true;
}

bool waylandAnswers(const QByteArray &, const QByteArray &)
{
    return true;
}

#endif

} // namespace DisplayProbe
