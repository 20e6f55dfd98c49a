#include "dictionary/DictionaryFile.h"

#include "base/Error.h"
#include "base/ErrorNumbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velmora::DictionaryFile {

static Error failure(qint32 number, const QString &path, const QString &reason)
{
    return Error(number, QStringLiteral("Cannot read the dictionary file \"%1\": %2.")
                             .arg(QDir::toNativeSeparators(path), reason));
}

QStringList readLines(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw failure(ErrorNumber::FileNotFound53, path, QStringLiteral("the file does not exist"));
    if (!info.isFile())
        throw failure(ErrorNumber::PathFileAccess, path, QStringLiteral("it is not a regular file"));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw failure(ErrorNumber::PathFileAccess, path, file.errorString().toLower());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw failure(ErrorNumber::PathFileAccess, path, file.errorString().toLower());
    if (bytes.isEmpty())
        throw failure(ErrorNumber::InputPastEnd, path, QStringLiteral("the file is empty"));
    return splitLines(bytes);
}

QStringList splitLines(const QByteArray &bytes)
{
    QStringList lines;
    lines.reserve(bytes.count('\n') + 1);
    qsizetype begin = 0;
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(QString::fromLatin1(bytes.constData() + begin, i - begin));
        if (c == '\r' && i + 1 < size && bytes[i + 1] == '\n')
            ++i;
        begin = i + 1;
    }
    if (begin < size)
        lines.append(QString::fromLatin1(bytes.constData() + begin, size - begin));
    return lines;
}

} // namespace velmora::DictionaryFile
