#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace velmora {

// Reading Complete.dic: one read of the whole file, cut into lines in memory.
//
// Bytes are taken one character each (Latin-1). Lines end with CR LF, LF
// alone or CR alone, so files saved by any editor keep every headword whole;
// a last line without a line end is a line too. An empty line stays an
// empty line at its position, so later lines keep their positions.
namespace DictionaryFile {

// Throws Error naming the file and the reason when it is missing, not a
// regular file, unreadable or empty.
QStringList readLines(const QString &path);

QStringList splitLines(const QByteArray &bytes);

} // namespace DictionaryFile
} // namespace velmora
