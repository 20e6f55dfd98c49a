#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

// Helpers shared by the velmora-dicbuild tests.
namespace toolstest {

inline QString sourceDir()
{
    return qEnvironmentVariable("VELMORA_SOURCE_DIR");
}

inline QByteArray readSourceFile(const QString &relative)
{
    QFile file(sourceDir() + QLatin1Char('/') + relative);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline QString q(const std::string &s)
{
    return QString::fromStdString(s);
}

// Non-empty lines that do not start with '#', split at TAB.
inline std::vector<QStringList> dataRows(const QByteArray &text)
{
    std::vector<QStringList> rows;
    for (const QByteArray &line : text.split('\n')) {
        const QString l = QString::fromUtf8(line).trimmed();
        if (l.isEmpty() || l.startsWith(QLatin1Char('#')))
            continue;
        rows.push_back(l.split(QLatin1Char('\t')));
    }
    return rows;
}

} // namespace toolstest
