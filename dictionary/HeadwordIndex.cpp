#include "dictionary/HeadwordIndex.h"

namespace velmora {

HeadwordIndex::HeadwordIndex(const DictionaryLines &lines)
{
    m_lines.reserve(lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArrayView line = lines.bytesAt(i);
        const qsizetype end = line.indexOf(QByteArrayView("||"));
        const QString word = QString::fromLatin1(end < 0 ? line : line.first(end)).toLower();
        if (word.isEmpty())
            continue;
        QList<int> &at = m_lines[word];
        if (at.isEmpty())
            m_words.append(word);
        at.append(i);
    }
}

QList<int> HeadwordIndex::linesOf(const QString &word) const
{
    return m_lines.value(word.toLower());
}

} // namespace velmora
