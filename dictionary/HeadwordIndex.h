#pragma once

#include "dictionary/DictionaryFile.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace velmora {

// The dictionary's headwords, lower-cased, for finding entries by a whole
// word rather than by the letters typed so far.
class HeadwordIndex {
public:
    explicit HeadwordIndex(const DictionaryLines &lines);

    // The line numbers whose headword equals `word`, letter case aside, in
    // file order; empty when there is none.
    QList<int> linesOf(const QString &word) const;
    bool contains(const QString &word) const { return m_lines.contains(word.toLower()); }

    // Every distinct headword, lower-cased, in file order.
    const QStringList &words() const { return m_words; }

private:
    QHash<QString, QList<int>> m_lines;
    QStringList m_words;
};

} // namespace velmora
