#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace velmora {

// The dictionary file's lines, kept as the file's own bytes: one buffer and
// a view of each line, so that loading 15,500 lines makes no per-line
// allocation. A line becomes text (one character per byte, Latin-1) only
// when it is used.
class DictionaryLines {
public:
    DictionaryLines() = default;
    // Cuts `bytes` into lines. Lines end with CR LF, LF alone or CR alone, so
    // files saved by any editor keep every headword whole; a last line
    // without a line end is a line too; an empty line stays an empty line at
    // its position, so later lines keep their positions.
    explicit DictionaryLines(QByteArray bytes);

    int size() const { return int(m_lines.size()); }
    QByteArrayView bytesAt(int i) const { return m_lines.at(i); }
    QString at(int i) const { return QString::fromLatin1(m_lines.at(i)); }

private:
    QByteArray m_bytes;
    QList<QByteArrayView> m_lines; // views into m_bytes, which never changes
};

namespace DictionaryFile {

// Reads the whole file in one read. Throws Error naming the file and the
// reason when it is missing, not a regular file, unreadable or empty.
DictionaryLines readLines(const QString &path);

} // namespace DictionaryFile
} // namespace velmora
