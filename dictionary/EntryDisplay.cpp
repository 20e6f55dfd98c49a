#include "dictionary/EntryDisplay.h"

#include "dictionary/TextOps.h"
#include "dictionary/WordTypes.h"

namespace velmora::EntryDisplay {

namespace {

QString readable(QString text)
{
    if (text.size() > MaxShownLength) {
        text.truncate(MaxShownLength - 1);
        text += QChar(0x2026);
    }
    return text;
}

} // namespace

QString headword(QByteArrayView line)
{
    // Only as much of the line as can be shown is made into text, so a huge
    // line costs no more than a long one each time the list paints it.
    line = line.first(std::min(line.size(), MaxShownLength + 1));
    const qsizetype end = line.indexOf(QByteArrayView("||"));
    return readable(text::properCase(QString::fromLatin1(end < 0 ? line : line.first(end))));
}

QString meaning(const QString &field)
{
    return readable(text::properCase(field));
}

std::optional<QString> wordType(const QString &code)
{
    return WordTypes::nameOf(code);
}

QString example(const QString &field)
{
    return readable(field);
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
