#include "PlacementStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStorageInfo>

#include <cmath>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace WindowPlacement {

namespace {

const char *const Group = "Settings";
// Far beyond any desktop, yet small enough that pixel arithmetic never overflows.
constexpr double Limit = 1.0e8;
// Another ZENTIL holds the lock only while it writes a few lines; a lock held
// longer is not one to wait for.
constexpr int LockWaitMs = 2000;

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

QString applicationName()
{
    return QCoreApplication::applicationName();
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Why the file must not be opened: opening a pipe waits for a writer, and
// saving replaces whatever stands at the end of a link.
QString unsafe(const QString &path, bool forWriting)
{
    const QFileInfo file(path);
    if (file.isSymLink()) {
        const QString target = file.canonicalFilePath();
        if (target.isEmpty())
            return forWriting
                       ? QStringLiteral("it is a link to %1, which does not exist").arg(native(file.symLinkTarget()))
                       : QString();
        if (!QFileInfo(target).isFile())
            return QStringLiteral("it is a link to %1, which is not a plain file").arg(native(target));
        return QString();
    }
    if (!file.exists())
        return QString();
    if (file.isDir())
        return QStringLiteral("a folder stands where the file should be");
    if (!file.isFile())
        return QStringLiteral("it is not a plain file");
    return QString();
}

// QSettings only says that it could not write; find out why, for the user,
// without touching anything.
QString whyUnwritable(const QString &path)
{
    const QFileInfo file(path);
    QFileInfo existing(file.absolutePath());
    for (QFileInfo dir = existing; !dir.isRoot(); dir = QFileInfo(dir.absolutePath())) {
        if (dir.exists() && !dir.isDir())
            return QStringLiteral("%1 is not a folder").arg(native(dir.absoluteFilePath()));
    }
    while (!existing.exists() && !existing.isRoot())
        existing = QFileInfo(existing.absolutePath());
    if (existing.absoluteFilePath() != file.absolutePath() && !existing.isWritable())
        return QStringLiteral("the folder %1 cannot be made").arg(native(file.absolutePath()));
    if (!existing.isWritable())
        return QStringLiteral("the folder %1 is not writable").arg(native(existing.absoluteFilePath()));
    if (file.exists() && !file.isWritable())
        return QStringLiteral("the file is not writable");
    const QStorageInfo volume(existing.absoluteFilePath());
    if (volume.isValid() && volume.bytesAvailable() <= 0)
        return QStringLiteral("no space is left on %1").arg(native(volume.rootPath()));
    return QStringLiteral("the settings could not be written");
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
#endif

} // namespace

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
    return native(m_file);
}

Placement PlacementStore::read(QString *problem) const
{
    if (m_file.isEmpty()) {
        QSettings settings(applicationName(), applicationName());
        return readKeys(settings);
    }
    const QString why = unsafe(m_file, false);
    if (!why.isEmpty()) {
        if (problem)
            *problem = why;
        return Placement();
    }
    QSettings settings(m_file, QSettings::IniFormat);
    return readKeys(settings);
}

QString PlacementStore::write(const Placement &placement, bool withPosition) const
{
    if (m_file.isEmpty()) {
        QSettings settings(applicationName(), applicationName());
        writeKeys(settings, placement, withPosition);
        settings.sync();
        if (settings.status() == QSettings::NoError)
            return QString();
#ifdef Q_OS_WIN
        return whyRegistryRefused();
#else
        return QStringLiteral("the settings could not be written");
#endif
    }
    const QString why = unsafe(m_file, true);
    if (!why.isEmpty())
        return why;
    // QSettings waits for its lock without end; wait a bounded time first.
    {
        QLockFile lock(m_file + QStringLiteral(".lock"));
        if (!lock.tryLock(LockWaitMs)) {
            if (QFileInfo(lock.fileName()).isDir())
                return QStringLiteral("a folder stands where its lock file %1 should be").arg(native(lock.fileName()));
            if (lock.error() == QLockFile::LockFailedError)
                return QStringLiteral("another program has held its lock file %1 for over %2 seconds")
                    .arg(native(lock.fileName()))
                    .arg(LockWaitMs / 1000);
            if (QDir(QFileInfo(m_file).absolutePath()).exists())
                return QStringLiteral("its lock file %1 cannot be made").arg(native(lock.fileName()));
        }
    }
    QSettings settings(m_file, QSettings::IniFormat);
    writeKeys(settings, placement, withPosition);
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return QString();
    return whyUnwritable(m_file);
}

Placement PlacementStore::readKeys(QSettings &settings)
{
    const Placement defaults;
    settings.beginGroup(QLatin1String(Group));
    Placement p;
    p.left = readKey(settings, QStringLiteral("MainLeft"), defaults.left, false);
    p.top = readKey(settings, QStringLiteral("MainTop"), defaults.top, false);
    p.width = readKey(settings, QStringLiteral("MainWidth"), defaults.width, true);
    p.height = readKey(settings, QStringLiteral("MainHeight"), defaults.height, true);
    settings.endGroup();
    return p;
}

void PlacementStore::writeKeys(QSettings &settings, const Placement &p, bool withPosition)
{
    settings.beginGroup(QLatin1String(Group));
    if (withPosition) {
        settings.setValue(QStringLiteral("MainLeft"), QString::number(p.left));
        settings.setValue(QStringLiteral("MainTop"), QString::number(p.top));
    }
    settings.setValue(QStringLiteral("MainWidth"), QString::number(p.width));
    settings.setValue(QStringLiteral("MainHeight"), QString::number(p.height));
    settings.endGroup();
}

} // namespace WindowPlacement
