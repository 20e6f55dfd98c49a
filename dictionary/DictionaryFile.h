#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace velmora {

// The dictionary file's lines, kept as the file's own bytes: one buffer and
// where each line starts, so that loading makes no per-line allocation and
// needs at most five times the file's size, however many lines it has. A
// line becomes text (one character per byte, Latin-1) only when it is used.
class DictionaryLines {
public:
    DictionaryLines() = default;
    // Cuts `bytes` into lines. Lines end with CR LF, LF alone or CR alone, so
    // files saved by any editor keep every headword whole; a last line
    // without a line end is a line too; an empty line stays an empty line at
    // its position, so later lines keep their positions.
    explicit DictionaryLines(QByteArray bytes);

    int size() const { return int(m_starts.size()) - 1; }
    QByteArrayView bytesAt(int i) const;
    QString at(int i) const { return QString::fromLatin1(bytesAt(i)); }

private:
    QByteArray m_bytes; // never changes
    // Where each line starts, and one more entry past the last line's end.
    // Offsets fit 32 bits: files are at most DictionaryFile::MaxFileSize.
    QList<quint32> m_starts { 0 };
};

namespace DictionaryFile {

// The real dictionary is about 1 MiB; a file this large is not one, and
// reading it would only hold up the start.
constexpr qint64 MaxFileSize = 64 << 20;

// Reads the whole file in one read. Throws Error naming the file and the
// reason when it is missing, not a regular file, unreadable, empty or
// larger than MaxFileSize.
DictionaryLines readLines(const QString &path);

} // namespace DictionaryFile
} // namespace velmora
