#include "PlacementStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QSysInfo>

#include <cmath>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace WindowPlacement {

namespace {

const char *const Group = "Settings";
// Far beyond any desktop, yet small enough that pixel arithmetic never overflows.
constexpr double Limit = 1.0e8;

struct Key
{
    Figure figure;
    const char *name;
    int Placement::*member;
};
const Key Keys[] = {{Left, "MainLeft", &Placement::left},
                    {Top, "MainTop", &Placement::top},
                    {Width, "MainWidth", &Placement::width},
                    {Height, "MainHeight", &Placement::height}};

int readKey(QSettings &settings, const QString &key, int fallback, bool mustBePositive)
{
    const QVariant stored = settings.value(key);
    if (!stored.isValid())
        return fallback;
    bool ok = false;
    const double v = stored.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || std::fabs(v) > Limit || (mustBePositive && v < 1.0))
        return fallback;
    return static_cast<int>(std::lround(v));
}

// The figures among these that the store holds no key for.
int absent(QSettings &settings, int figures)
{
    int out = 0;
    settings.beginGroup(QLatin1String(Group));
    for (const Key &k : Keys)
        if ((figures & k.figure) && !settings.contains(QLatin1String(k.name)))
            out |= k.figure;
    settings.endGroup();
    return out;
}

QString applicationName()
{
    return QCoreApplication::applicationName();
}

StoreProblem problem(StoreProblem::Kind kind, const QString &path = QString(), qint64 number = 0,
                     StoreProblem::Kind cause = StoreProblem::None)
{
    StoreProblem p;
    p.kind = kind;
    p.cause = cause;
    p.path = path;
    p.number = number;
    return p;
}

#ifdef Q_OS_WIN
// The registry knows why it refused; QSettings keeps that to itself. Asked
// for the key QSettings would have made, it answers the same.
QString whyRegistryRefused()
{
    const QString key = QStringLiteral("Software\\%1\\%1").arg(applicationName());
    HKEY handle = nullptr;
    const LONG error = RegCreateKeyExW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t *>(key.utf16()), 0, nullptr, 0,
                                       KEY_READ | KEY_WRITE, nullptr, &handle, nullptr);
    if (error != ERROR_SUCCESS)
        return qt_error_string(error);
    RegCloseKey(handle);
    return QStringLiteral("the settings could not be written");
}
#else
// Another ZENTIL holds the lock only while it writes a few lines; a lock held
// longer is not one to wait for.
constexpr int LockWaitMs = 2000;
// A lock file holds a process id and the names of a program and a machine.
constexpr qint64 MaxLockSize = 4096;

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// What an errno of a failed call means to the user; denied is the kind a
// refused permission takes at this path.
StoreProblem fromErrno(int error, const QString &path, StoreProblem::Kind denied)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT: {
        const QStorageInfo volume(QFileInfo(path).absolutePath());
        return problem(StoreProblem::NoSpace, volume.isValid() ? volume.rootPath() : path);
    }
    case EROFS:
        return problem(StoreProblem::ReadOnly, path);
    case EACCES:
    case EPERM:
        return problem(denied, path);
    case ELOOP:
        return problem(StoreProblem::LinkLoop, path);
    default: {
        StoreProblem p = problem(StoreProblem::Refused, path);
        p.detail = QString::fromLocal8Bit(std::strerror(error));
        return p;
    }
    }
}

// The same, as the cause of a folder or lock file that cannot be made.
StoreProblem causedBy(StoreProblem::Kind kind, const QString &path, int error, qint64 number = 0)
{
    const StoreProblem::Kind why = fromErrno(error, path, StoreProblem::FolderNotWritable).kind;
    const bool named =
        why == StoreProblem::NoSpace || why == StoreProblem::ReadOnly || why == StoreProblem::FolderNotWritable;
    StoreProblem p = problem(kind, path, number, named ? why : StoreProblem::Refused);
    if (!named)
        p.detail = QString::fromLocal8Bit(std::strerror(error));
    return p;
}

// Why the file must not be opened: opening a pipe waits for a writer, a huge
// file would be read whole, and saving replaces whatever stands at the end of
// a link. Only stat() is asked, so nothing here can block or take long.
StoreProblem inspect(const QString &path, bool forWriting)
{
    struct stat at;
    if (::lstat(encoded(path), &at) != 0) {
        const int error = errno;
        if (error == ELOOP)
            return problem(StoreProblem::LinkLoop, QFileInfo(path).absolutePath());
        if (error == ENOENT || error == ENOTDIR || !forWriting)
            return StoreProblem(); // nothing there to read; the folder is looked at when it is written
        return fromErrno(error, QFileInfo(path).absolutePath(), StoreProblem::FolderNotWritable);
    }
    if (S_ISLNK(at.st_mode)) {
        const QFileInfo link(path);
        if (::stat(encoded(path), &at) != 0) {
            const int error = errno;
            if (error == ELOOP)
                return problem(StoreProblem::LinkLoop); // the file itself
            if (error == ENOENT && forWriting)
                return problem(StoreProblem::LinkToMissing, link.symLinkTarget());
            return forWriting ? fromErrno(error, path, StoreProblem::FileNotWritable) : StoreProblem();
        }
        if (!S_ISREG(at.st_mode))
            return problem(StoreProblem::LinkToNotPlain, link.canonicalFilePath());
    } else if (S_ISDIR(at.st_mode)) {
        return problem(StoreProblem::FolderAtFile, path);
    } else if (!S_ISREG(at.st_mode)) {
        return problem(StoreProblem::NotPlain, path);
    }
    if (at.st_size > PlacementStore::MaxFileSize)
        return problem(StoreProblem::TooLarge, path, at.st_size);
    return StoreProblem();
}

// Makes the folder and those above it, telling why one cannot be made.
StoreProblem makeFolder(const QString &folder)
{
    QStringList toMake;
    QString at = QDir::cleanPath(folder);
    for (;;) {
        struct stat st;
        if (::stat(encoded(at), &st) == 0) {
            if (!S_ISDIR(st.st_mode))
                return problem(StoreProblem::NotAFolder, at);
            break;
        }
        if (errno != ENOENT && errno != ENOTDIR)
            return causedBy(StoreProblem::FolderNotMade, at, errno);
        toMake.prepend(at);
        const QString up = QFileInfo(at).path();
        if (up == at)
            break;
        at = up;
    }
    for (const QString &dir : std::as_const(toMake))
        if (::mkdir(encoded(dir), 0777) != 0 && errno != EEXIST)
            return causedBy(StoreProblem::FolderNotMade, dir, errno);
    return StoreProblem();
}

// Makes a file where none is and writes a few bytes, as QLockFile and
// QSettings do, for the errno they keep to themselves; then removes it.
int errorMaking(const QString &path)
{
    const int fd = ::open(encoded(path), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    const QByteArray bytes(4096, '\n');
    int error = 0;
    if (::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
        error = errno ? errno : ENOSPC;
    ::close(fd);
    ::unlink(encoded(path));
    return error;
}

// Only a plain file of a lock's size is left to QLockFile, which opens and
// reads an existing lock to judge whether it is stale: a pipe would block it
// for good, a link to /dev/zero would feed it without end.
StoreProblem inspectLock(const QString &path)
{
    struct stat at;
    if (::lstat(encoded(path), &at) != 0)
        return errno == ENOENT ? StoreProblem() : causedBy(StoreProblem::LockNotMade, path, errno);
    if (S_ISDIR(at.st_mode))
        return problem(StoreProblem::LockFolder, path);
    if (!S_ISREG(at.st_mode))
        return problem(StoreProblem::LockNotPlain, path);
    if (at.st_size > MaxLockSize)
        return problem(StoreProblem::LockTooLarge, path, at.st_size);
    return StoreProblem();
}

// QSettings waits for its lock without end; take it within a bound first.
StoreProblem lockWithin(QLockFile &lock)
{
    const QString path = lock.fileName();
    if (const StoreProblem p = inspectLock(path))
        return p;
    if (lock.tryLock(LockWaitMs))
        return StoreProblem();
    if (lock.error() != QLockFile::LockFailedError) {
        const int error = errorMaking(path);
        if (!error && lock.tryLock(0)) // what stood in the way has passed
            return StoreProblem();
        return error == EEXIST ? problem(StoreProblem::LockHeld, path, LockWaitMs / 1000)
                               : causedBy(StoreProblem::LockNotMade, path, error ? error : EIO);
    }
    // Qt removes a lock whose process has ended; one it could not remove stays.
    qint64 pid = 0;
    QString host, program;
    if (lock.getLockInfo(&pid, &host, &program) && pid > 0 && (host.isEmpty() || host == QSysInfo::machineHostName()) &&
        ::kill(pid_t(pid), 0) != 0 && errno == ESRCH) {
        if (::unlink(encoded(path)) != 0)
            return causedBy(StoreProblem::LockAbandoned, path, errno, pid);
        if (lock.tryLock(0))
            return StoreProblem();
    }
    return problem(StoreProblem::LockHeld, path, LockWaitMs / 1000);
}

// QSettings only says that it could not write; ask the system why, by the
// calls it made.
StoreProblem whyUnwritten(const QString &file)
{
    const QString folder = QFileInfo(file).absolutePath();
    if (::access(encoded(folder), W_OK) != 0)
        return fromErrno(errno, folder, StoreProblem::FolderNotWritable);
    if (::access(encoded(file), W_OK) != 0 && errno != ENOENT)
        return fromErrno(errno, file, StoreProblem::FileNotWritable);
    const QString probe = QStringLiteral("%1.%2.new").arg(file).arg(QCoreApplication::applicationPid());
    if (const int error = errorMaking(probe))
        return fromErrno(error, folder, StoreProblem::FolderNotWritable);
    StoreProblem p = problem(StoreProblem::Refused, file);
    p.detail = QStringLiteral("the settings could not be written");
    return p;
}
#endif

} // namespace

QString StoreProblem::text() const
{
    const QString where = QDir::toNativeSeparators(path);
    QString because;
    switch (cause) {
    case NoSpace:
        because = QStringLiteral("no space is left on its file system");
        break;
    case ReadOnly:
        because = QStringLiteral("its file system is read-only");
        break;
    case FolderNotWritable:
        because = QStringLiteral("its folder is not writable");
        break;
    default:
        because = detail;
    }
    switch (kind) {
    case None:
        return QString();
    case FolderAtFile:
        return QStringLiteral("a folder stands where the file should be");
    case NotPlain:
        return QStringLiteral("it is not a plain file");
    case LinkToMissing:
        return QStringLiteral("it is a link to %1, which does not exist").arg(where);
    case LinkToNotPlain:
        return QStringLiteral("it is a link to %1, which is not a plain file").arg(where);
    case LinkLoop:
        return where.isEmpty() ? QStringLiteral("it is a link in a loop of links")
                               : QStringLiteral("%1 leads round a loop of links").arg(where);
    case TooLarge:
        return QStringLiteral("it holds %1 bytes, more than a placement ever needs").arg(number);
    case NotAFolder:
        return QStringLiteral("%1 is not a folder").arg(where);
    case FolderNotMade:
        return QStringLiteral("the folder %1 cannot be made: %2").arg(where, because);
    case FolderNotWritable:
        return QStringLiteral("the folder %1 is not writable").arg(where);
    case FileNotWritable:
        return QStringLiteral("the file is not writable");
    case ReadOnly:
        return QStringLiteral("%1 is on a read-only file system").arg(where);
    case NoSpace:
        return QStringLiteral("no space is left on %1").arg(where);
    case LockFolder:
        return QStringLiteral("a folder stands where its lock file %1 should be").arg(where);
    case LockNotPlain:
        return QStringLiteral("its lock file %1 is not a plain file").arg(where);
    case LockTooLarge:
        return QStringLiteral("its lock file %1 holds %2 bytes, more than a lock ever holds").arg(where).arg(number);
    case LockNotMade:
        return QStringLiteral("its lock file %1 cannot be made: %2").arg(where, because);
    case LockHeld:
        return QStringLiteral("another program has held its lock file %1 for over %2 seconds").arg(where).arg(number);
    case LockAbandoned:
        return QStringLiteral("its lock file %1 was left by a program that no longer runs (process %2) and cannot be "
                              "removed: %3")
            .arg(where)
            .arg(number)
            .arg(because);
    case Refused:
        return detail;
    }
    return detail;
}

PlacementStore::PlacementStore()
{
#ifndef Q_OS_WIN
    // The file QSettings keeps for this application, named here so that it
    // can be looked at before QSettings opens it.
    m_file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
             applicationName() + QLatin1Char('/') + applicationName() + QStringLiteral(".conf");
#endif
}

QString PlacementStore::location() const
{
    if (m_file.isEmpty())
        return QSettings(applicationName(), applicationName()).fileName();
    return QDir::toNativeSeparators(m_file);
}

Placement PlacementStore::read(StoreProblem *problem) const
{
#ifdef Q_OS_WIN
    Q_UNUSED(problem);
    QSettings settings(applicationName(), applicationName());
#else
    if (const StoreProblem why = inspect(m_file, false)) {
        if (problem)
            *problem = why;
        return Placement();
    }
    QSettings settings(m_file, QSettings::IniFormat);
#endif
    return readKeys(settings);
}

StoreProblem PlacementStore::write(const Placement &placement, int changed, int kept) const
{
#ifdef Q_OS_WIN
    QSettings settings(applicationName(), applicationName());
    if (!writeKeys(settings, placement, changed, kept))
        return StoreProblem();
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return StoreProblem();
    StoreProblem p = problem(StoreProblem::Refused);
    p.detail = whyRegistryRefused();
    return p;
#else
    if (const StoreProblem p = inspect(m_file, true))
        return p;
    // A close that changes nothing touches nothing, not even the lock.
    if (!changed) {
        QSettings now(m_file, QSettings::IniFormat);
        if (!absent(now, kept))
            return StoreProblem();
    }
    if (const StoreProblem p = makeFolder(QFileInfo(m_file).absolutePath()))
        return p;
    QLockFile lock(m_file + QStringLiteral(".lock"));
    if (const StoreProblem p = lockWithin(lock))
        return p;
    // Read again under the lock, so that only what this window changed, or
    // what the store now lacks, is set.
    QSettings settings(m_file, QSettings::IniFormat);
    if (!writeKeys(settings, placement, changed, kept))
        return StoreProblem();
    // QSettings takes the same lock itself, reads the file again if it has
    // changed and sets only these keys; it would wait for our lock for good.
    struct stat before;
    const bool existed = ::stat(encoded(m_file), &before) == 0;
    lock.unlock();
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return StoreProblem();
    // A store it could not parse stays "in error" after QSettings has written
    // it whole. A save puts a new file in place of the old, which tells.
    struct stat after;
    if (settings.status() == QSettings::FormatError && ::stat(encoded(m_file), &after) == 0 &&
        (!existed || after.st_ino != before.st_ino || after.st_dev != before.st_dev))
        return StoreProblem();
    return whyUnwritten(m_file);
#endif
}

Placement PlacementStore::readKeys(QSettings &settings)
{
    const Placement defaults;
    Placement p;
    settings.beginGroup(QLatin1String(Group));
    for (const Key &k : Keys)
        p.*k.member = readKey(settings, QLatin1String(k.name), defaults.*k.member, (k.figure & Size) != 0);
    settings.endGroup();
    return p;
}

bool PlacementStore::writeKeys(QSettings &settings, const Placement &p, int changed, int kept)
{
    const int set = changed | absent(settings, kept & ~changed);
    settings.beginGroup(QLatin1String(Group));
    for (const Key &k : Keys)
        if (set & k.figure)
            settings.setValue(QLatin1String(k.name), QString::number(p.*k.member));
    settings.endGroup();
    return set != 0;
}

} // namespace WindowPlacement
