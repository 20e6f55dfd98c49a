#include "dictionary/ReverseLookup.h"

#include "dictionary/RomanFolding.h"

namespace velmora {

namespace {

QByteArrayView meaningOf(QByteArrayView line)
{
    for (int field = 0; field < 2; ++field) {
        const qsizetype at = line.indexOf(QByteArrayView("||"));
        if (at < 0)
            return {};
        line = line.sliced(at + 2);
    }
    const qsizetype end = line.indexOf(QByteArrayView("||"));
    return end < 0 ? line : line.first(end);
}

QString padded(const QStringList &words)
{
    return QLatin1Char(' ') + words.join(QLatin1Char(' ')) + QLatin1Char(' ');
}

} // namespace

ReverseLookup::ReverseLookup(const DictionaryLines &lines)
{
    m_senses.reserve(lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        QStringList senses;
        const QString meaning = QString::fromLatin1(meaningOf(lines.bytesAt(i)));
        qsizetype start = 0;
        for (qsizetype at = 0; at <= meaning.size(); ++at) {
            if (at < meaning.size() && meaning.at(at) != u',' && meaning.at(at) != u';')
                continue;
            const QStringList words
                = RomanFolding::foldedWords(QStringView(meaning).sliced(start, at - start));
            if (!words.isEmpty())
                senses.append(padded(words));
            start = at + 1;
        }
        m_senses.append(senses);
    }
}

QList<int> ReverseLookup::find(const QString &hindi, int limit) const
{
    const QStringList words = RomanFolding::foldedWords(hindi);
    if (words.isEmpty() || limit <= 0)
        return {};
    const QString wanted = padded(words);
    QList<int> whole;
    QList<int> within;
    for (int i = 0; i < m_senses.size() && whole.size() < limit; ++i) {
        bool found = false;
        for (const QString &sense : m_senses.at(i)) {
            if (sense == wanted) {
                whole.append(i);
                found = false;
                break;
            }
            found = found || sense.contains(wanted);
        }
        if (found)
            within.append(i);
    }
    whole.append(within.first(std::min(within.size(), qsizetype(limit) - whole.size())));
    return whole;
}

} // namespace velmora
