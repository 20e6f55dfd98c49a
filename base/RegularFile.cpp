#include "base/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

RegularFile failed(RegularFile::Status status, QString reason)
{
    RegularFile result;
    result.status = status;
    result.reason = std::move(reason);
    return result;
}

// Closes the descriptor however the read ends.
struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

RegularFile RegularFile::read(const QString &path, qint64 maxSize)
{
    const Descriptor file { ::open(
        QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK) };
    if (file.fd < 0) {
        const int error = errno;
        if (error == ENOENT)
            return failed(Status::Missing, QStringLiteral("the file does not exist"));
        return failed(Status::Unreadable, systemReason(error));
    }

    struct stat info { };
    if (::fstat(file.fd, &info) != 0)
        return failed(Status::Unreadable, systemReason(errno));
    if (S_ISDIR(info.st_mode))
        return failed(Status::NotRegular, QStringLiteral("it is a folder, not a file"));
    if (!S_ISREG(info.st_mode))
        return failed(Status::NotRegular, QStringLiteral("it is not a regular file"));
    const auto tooLarge = [maxSize] {
        return failed(Status::TooLarge, QStringLiteral("it is larger than %1").arg(sizeText(maxSize)));
    };
    if (info.st_size > maxSize)
        return tooLarge();

    // A regular file never blocks, but a descriptor left non-blocking could
    // make a read on some network file systems return EAGAIN.
    const int flags = ::fcntl(file.fd, F_GETFL);
    if (flags < 0 || ::fcntl(file.fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return failed(Status::Unreadable, systemReason(errno));

    // The file may grow between fstat and read: read at most one byte more
    // than allowed, to see that it did.
    RegularFile result;
    result.bytes.resize(qsizetype(info.st_size) + 1);
    qsizetype filled = 0;
    for (;;) {
        if (filled == result.bytes.size()) {
            if (filled > maxSize)
                return tooLarge();
            result.bytes.resize(std::min<qint64>(maxSize + 1, qint64(filled) * 2 + 4096));
        }
        const ssize_t got
            = ::read(file.fd, result.bytes.data() + filled, size_t(result.bytes.size() - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return failed(Status::Unreadable, systemReason(errno));
        }
        if (got == 0)
            break;
        filled += got;
    }
    if (filled > maxSize)
        return tooLarge();
    result.bytes.truncate(filled);
    result.status = Status::Read;
    return result;
}

QString RegularFile::sizeText(qint64 bytes)
{
    if (bytes >= (1 << 20) && bytes % (1 << 20) == 0)
        return QStringLiteral("%1 MiB").arg(bytes >> 20);
    if (bytes >= 1024 && bytes % 1024 == 0)
        return QStringLiteral("%1 KiB").arg(bytes >> 10);
    return QStringLiteral("%1 bytes").arg(bytes);
}

} // namespace velmora
