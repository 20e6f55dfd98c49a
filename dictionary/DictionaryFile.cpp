#include "dictionary/DictionaryFile.h"

#include "base/Error.h"
#include "base/ErrorNumbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    const QFileInfo info(path);
    if (!info.exists())
        throw failure(ErrorNumber::FileNotFound, path, QStringLiteral("the file does not exist"));
    if (!info.isFile())
        throw failure(ErrorNumber::PathFileAccess, path, QStringLiteral("it is not a regular file"));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw failure(ErrorNumber::PathFileAccess, path, file.errorString().toLower());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw failure(ErrorNumber::PathFileAccess, path, file.errorString().toLower());
    if (bytes.isEmpty())
        throw failure(ErrorNumber::InputPastEnd, path, QStringLiteral("the file is empty"));
    return DictionaryLines(std::move(bytes));
}

} // namespace DictionaryFile

DictionaryLines::DictionaryLines(QByteArray bytes)
    : m_bytes(std::move(bytes))
{
    const char *data = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    m_lines.reserve(m_bytes.count('\n') + 1);
    qsizetype begin = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n')
            continue;
        m_lines.append(QByteArrayView(data + begin, i - begin));
        if (c == '\r' && i + 1 < size && data[i + 1] == '\n')
            ++i;
        begin = i + 1;
    }
    if (begin < size)
        m_lines.append(QByteArrayView(data + begin, size - begin));
}

} // namespace velmora
