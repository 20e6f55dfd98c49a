#include "agent/SettingsStore.h"

#include "agent/SettingsDocument.h"
#include "base/Error.h"
#include "base/ErrorNumbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <chrono>
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

[[noreturn]] void fail()
{
    throw Error(ErrorNumber::PathFileAccess, u"Path/File access error"_s);
}

enum class Load { Absent, Read, Unreadable };

Load load(const QString &path, QByteArray &content)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Load::Absent;
    if (!info.isFile()) // a folder or a pipe: nothing to read, and a pipe could block for ever
        return Load::Unreadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Load::Unreadable;
    content = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError || content.size() > MaxFileSize)
        return Load::Unreadable;
    return Load::Read;
}

// EINVAL: this file system cannot sync this kind of file, so there is
// nothing more that could be done.
bool syncToDisk(int fd)
{
    return ::fsync(fd) == 0 || errno == EINVAL;
}

bool syncFolder(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = syncToDisk(fd);
    ::close(fd);
    return synced;
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
    QByteArray content;
    if (load(m_filePath, content) != Load::Read)
        return defaultValue;
    return SettingsDocument(content).value(application, section, key).value_or(defaultValue);
}

void SettingsStore::write(
    const QString &application, const QString &section, const QString &key, const QString &value)
{
    if (!QDir().mkpath(QFileInfo(m_filePath).absolutePath()))
        fail();

    // Read, change and replace under one lock, so that two windows writing
    // at once cannot each replace the file with a copy that lacks the
    // other's value. Readers need no lock: they see the old or the new file.
    QLockFile lock(m_filePath + u".lock"_s);
    if (!lock.tryLock(LockTimeout))
        fail();

    QByteArray before;
    if (load(m_filePath, before) == Load::Unreadable)
        fail(); // replacing a file we cannot read would lose whatever it holds
    SettingsDocument document(before);
    document.setValue(application, section, key, value);
    const QByteArray after = document.toByteArray();
    if (after == before)
        return;

    // QSaveFile writes a temporary file beside the target and renames it over
    // the target on commit; its own sync ignores errors, so sync here first.
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(after) != after.size() || !file.flush()
        || !syncToDisk(file.handle()) || !file.commit())
        fail();

    // The rename itself is durable only once the folder holding the file is.
    if (!syncFolder(QFileInfo(QFileInfo(m_filePath).canonicalFilePath()).absolutePath()))
        fail();
}

} // namespace velmora::agent
