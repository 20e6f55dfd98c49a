#pragma once

#include <QString>
#include <QStringList>

namespace velmora::NearestHeadwords {

// Up to `count` of `words` closest to `word` in spelling, closest first:
// fewest single-letter insertions, deletions, substitutions and swaps of
// two neighbouring letters, letter case aside; ties keep the order of
// `words`. Only words within a few edits count as near (1 for words of up
// to 4 letters, 2 up to 8, then 3), so a word like nothing gets no answer.
QStringList find(const QStringList &words, const QString &word, int count = 5);

// The edit distance used above, or a number above `limit` when it is larger
// than `limit`.
int distance(QStringView a, QStringView b, int limit);

} // namespace velmora::NearestHeadwords
