#include "agent/SettingsStore.h"

#include "agent/SettingsDocument.h"
#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "base/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace velmora::agent {

namespace {

// Far more than the program's few values need: anything larger is not a
// settings file, and reading it whole on every read would be a waste.
constexpr qint64 MaxFileSize = 1 << 20;

// A writer holds the lock for a few milliseconds; waiting this long means
// the other side is stuck, and failing beats freezing the window.
constexpr auto LockTimeout = 10s;

[[noreturn]] void fail(const QString &path, const QString &reason)
{
    throw Error(ErrorNumber::PathFileAccess,
        u"Path/File access error: cannot save \"%1\": %2"_s.arg(QDir::toNativeSeparators(path), reason));
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// EINVAL: this file system cannot sync this kind of file, so there is
// nothing more that could be done.
bool syncToDisk(int fd)
{
    return ::fsync(fd) == 0 || errno == EINVAL;
}

int syncFolder(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = syncToDisk(fd) ? 0 : errno;
    ::close(fd);
    return error;
}

QString lockReason(QLockFile::LockError error)
{
    switch (error) {
    case QLockFile::LockFailedError:
        return u"another program kept the file locked"_s;
    case QLockFile::PermissionError:
        return u"Permission denied (the folder cannot be written)"_s;
    case QLockFile::NoError:
    case QLockFile::UnknownError:
        break;
    }
    return u"its lock file cannot be made"_s;
}

} // namespace

SettingsStore::SettingsStore(QString filePath)
    : m_filePath(std::move(filePath))
{
}

QString SettingsStore::defaultFilePath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    // Qt passes a relative XDG_CONFIG_HOME through, which would make the file
    // depend on the folder Velmora was started from; XDG says to ignore it.
    if (QDir::isRelativePath(folder))
        folder = QDir::homePath() + u"/.config"_s;
    return folder + u"/velmora/settings.ini"_s;
}

QString SettingsStore::read(
    const QString &application, const QString &section, const QString &key, const QString &defaultValue) const
{
    const RegularFile file = RegularFile::read(m_filePath, MaxFileSize);
    if (file.status != RegularFile::Status::Read)
        return defaultValue;
    return SettingsDocument(file.bytes).value(application, section, key).value_or(defaultValue);
}

void SettingsStore::write(
    const QString &application, const QString &section, const QString &key, const QString &value)
{
    write(application, section, KeyValues { { key, value } });
}

void SettingsStore::write(const QString &application, const QString &section, const KeyValues &values)
{
    const QString folder = QFileInfo(m_filePath).absolutePath();
    if (!QDir().mkpath(folder))
        fail(m_filePath, u"the folder \"%1\" cannot be made"_s.arg(QDir::toNativeSeparators(folder)));

    // Read, change and replace under one lock, so that two windows writing
    // at once cannot each replace the file with a copy that lacks the
    // other's value. Readers need no lock: they see the old or the new file.
    QLockFile lock(m_filePath + u".lock"_s);
    if (!lock.tryLock(LockTimeout))
        fail(m_filePath, lockReason(lock.error()));

    // Replacing a file we cannot read would lose whatever it holds.
    const RegularFile old = RegularFile::read(m_filePath, MaxFileSize);
    if (old.status != RegularFile::Status::Read && old.status != RegularFile::Status::Missing)
        fail(m_filePath, old.reason);
    SettingsDocument document(old.bytes);
    for (const auto &[key, value] : values)
        document.setValue(application, section, key, value);
    const QByteArray after = document.toByteArray();
    if (after == old.bytes && old.status == RegularFile::Status::Read)
        return;

    // QSaveFile writes a temporary file beside the target and renames it over
    // the target on commit; its own sync ignores errors, so sync here first.
    // Its destructor removes the temporary file of a write that failed.
    const std::unique_ptr<QSaveFile> file
        = m_saveFile ? m_saveFile(m_filePath) : std::make_unique<QSaveFile>(m_filePath);
    if (!file->open(QIODevice::WriteOnly))
        fail(m_filePath, file->errorString());
    if (file->write(after) != after.size() || !file->flush())
        fail(m_filePath, file->errorString());
    if (!syncToDisk(file->handle()))
        fail(m_filePath, systemReason(errno));
    if (!file->commit())
        fail(m_filePath, file->errorString());

    // The rename itself is durable only once the folder holding the file is.
    if (const int error = syncFolder(QFileInfo(QFileInfo(m_filePath).canonicalFilePath()).absolutePath()))
        fail(m_filePath, systemReason(error));
}

} // namespace velmora::agent
