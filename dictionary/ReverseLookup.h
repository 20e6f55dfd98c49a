#pragma once

#include "dictionary/DictionaryFile.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace velmora {

// Finds entries by their Roman-Hindi meaning: those whose meaning holds the
// asked words as whole words, after both sides are folded (RomanFolding),
// so "pani" and "paani" find the same entries.
class ReverseLookup {
public:
    // `lines` must outlive this object.
    explicit ReverseLookup(const DictionaryLines &lines);

    // The lines whose meaning (field 2) holds the words of `hindi`, one after
    // another, as whole words: first those with a sense (the text between
    // commas and semicolons) that is exactly those words, then the rest,
    // each group in file order; at most `limit` lines. Empty when `hindi`
    // holds no letter.
    QList<int> find(const QString &hindi, int limit = 20) const;

private:
    const DictionaryLines &m_lines;
};

} // namespace velmora
