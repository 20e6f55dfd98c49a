#include "dictionary/EntryDisplay.h"

#include "dictionary/TextOps.h"
#include "dictionary/WordTypes.h"

namespace velmora::EntryDisplay {

QString headword(QByteArrayView line)
{
    const qsizetype end = line.indexOf(QByteArrayView("||"));
    return text::properCase(QString::fromLatin1(end < 0 ? line : line.first(end)));
}

QString meaning(const QString &field)
{
    return text::properCase(field);
}

std::optional<QString> wordType(const QString &code)
{
    return WordTypes::nameOf(code);
}

QString example(const QString &field)
{
    return field;
}

ShownEntry entry(QByteArrayView line)
{
    const QStringList fields = text::split(QString::fromLatin1(line), QStringLiteral("||"));
    ShownEntry shown;
    shown.headword = headword(line);
    if (fields.size() > 1)
        shown.wordType = wordType(fields.at(1)).value_or(QString());
    if (fields.size() > 2)
        shown.meaning = meaning(fields.at(2));
    if (fields.size() > 3)
        shown.example = example(fields.at(3));
    return shown;
}

} // namespace velmora::EntryDisplay
