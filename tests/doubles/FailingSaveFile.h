#pragma once

#include <QSaveFile>

#include <cerrno>
#include <cstring>

// Test double: a QSaveFile that fails the way a disk or folder does, with
// the system's own words for it. A full disk takes `room` bytes and then
// refuses the rest; a read-only folder refuses to make the temporary file.
// Everything else is the real QSaveFile, so a temporary file it made is
// really there until the write is given up.
class FailingSaveFile : public QSaveFile {
public:
    enum class Failure { FullDisk, ReadOnlyFolder };

    FailingSaveFile(const QString &path, Failure failure, qint64 room = 16)
        : QSaveFile(path)
        , m_failure(failure)
        , m_room(room)
    {
    }

    bool open(OpenMode mode) override
    {
        if (m_failure == Failure::ReadOnlyFolder) {
            setErrorString(QString::fromLocal8Bit(std::strerror(EACCES)));
            return false;
        }
        return QSaveFile::open(mode);
    }

protected:
    qint64 writeData(const char *data, qint64 len) override
    {
        const qint64 fits = std::min(len, m_room);
        if (fits > 0 && QSaveFile::writeData(data, fits) != fits)
            return -1;
        m_room -= fits;
        if (fits < len) {
            setErrorString(QString::fromLocal8Bit(std::strerror(ENOSPC)));
            return -1;
        }
        return len;
    }

private:
    Failure m_failure;
    qint64 m_room;
};
