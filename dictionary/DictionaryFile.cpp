#include "dictionary/DictionaryFile.h"

#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "base/RegularFile.h"

#include <QDir>

#include <limits>

namespace velmora {
namespace DictionaryFile {

static Error failure(qint32 number, const QString &path, const QString &reason)
{
    return Error(number,
        QStringLiteral("Cannot read the dictionary file \"%1\": %2.")
            .arg(QDir::toNativeSeparators(path), reason));
}

DictionaryLines readLines(const QString &path)
{
    RegularFile file = RegularFile::read(path, MaxFileSize);
    switch (file.status) {
    case RegularFile::Status::Read:
        break;
    case RegularFile::Status::Missing:
        throw failure(ErrorNumber::FileNotFound, path, file.reason);
    case RegularFile::Status::TooLarge:
        throw failure(
            ErrorNumber::PathFileAccess, path, file.reason + QStringLiteral(", far more than a dictionary"));
    case RegularFile::Status::NotRegular:
    case RegularFile::Status::Unreadable:
        throw failure(ErrorNumber::PathFileAccess, path, file.reason.toLower());
    }
    if (file.bytes.isEmpty())
        throw failure(ErrorNumber::InputPastEnd, path, QStringLiteral("the file is empty"));
    return DictionaryLines(std::move(file.bytes));
}

} // namespace DictionaryFile

DictionaryLines::DictionaryLines(QByteArray bytes)
    : m_bytes(std::move(bytes))
{
    const char *data = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    Q_ASSERT(size <= qsizetype(std::numeric_limits<quint32>::max()));
    m_starts.clear();
    m_starts.reserve(m_bytes.count('\n') + 2);
    qsizetype begin = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n')
            continue;
        m_starts.append(quint32(begin));
        if (c == '\r' && i + 1 < size && data[i + 1] == '\n')
            ++i;
        begin = i + 1;
    }
    if (begin < size) {
        m_starts.append(quint32(begin));
        begin = size;
    }
    m_starts.append(quint32(begin));
}

QByteArrayView DictionaryLines::bytesAt(int i) const
{
    // Lines hold no CR or LF, so whatever of them precedes the next start
    // is this line's end.
    const qsizetype begin = m_starts.at(i);
    qsizetype end = m_starts.at(i + 1);
    if (end > begin && (m_bytes.at(end - 1) == '\n' || m_bytes.at(end - 1) == '\r')) {
        --end;
        if (m_bytes.at(end) == '\n' && end > begin && m_bytes.at(end - 1) == '\r')
            --end;
    }
    return QByteArrayView(m_bytes).sliced(begin, end - begin);
}

} // namespace velmora
