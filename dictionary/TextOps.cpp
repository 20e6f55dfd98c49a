#include "dictionary/TextOps.h"

namespace velmora::text {

QStringList split(const QString &text, const QString &separator)
{
    if (text.isEmpty())
        return {};
    return text.split(separator, Qt::KeepEmptyParts, Qt::CaseSensitive);
}

static bool startsWord(QChar previous)
{
    switch (previous.unicode()) {
    case 0:
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
    case ' ':
        return true;
    default:
        return false;
    }
}

QString properCase(const QString &text)
{
    QString result = text;
    bool atWordStart = true;
    for (QChar &c : result) {
        c = atWordStart ? c.toUpper() : c.toLower();
        atWordStart = startsWord(c);
    }
    return result;
}

} // namespace velmora::text
