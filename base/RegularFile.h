#pragma once

#include <QByteArray>
#include <QString>

namespace velmora {

// Reads a file that anyone could have put in our way. The file is opened
// first and only then checked, on the open descriptor, to be a regular file
// of at most maxSize bytes: a check of the name followed by an open could be
// raced by a FIFO or device swapped in between, which would block the read.
// The open does not block (O_NONBLOCK) and blocking is restored for the read.
struct RegularFile {
    enum class Status {
        Read,
        Missing, // nothing of that name (a dangling link included)
        NotRegular, // a folder, FIFO, device or socket
        TooLarge, // more than maxSize bytes
        Unreadable, // any other failure; reason has the system's words
    };

    Status status = Status::Missing;
    QByteArray bytes; // the whole file when status is Read
    QString reason; // what went wrong, in plain words, for messages

    static RegularFile read(const QString &path, qint64 maxSize);

    // "64 MiB", "256 KiB", "100 bytes": a limit as messages name it.
    static QString sizeText(qint64 bytes);
};

} // namespace velmora
