#pragma once

#include "dictionary/DictionaryFile.h"
#include "dictionary/HeadwordIndex.h"

#include <QString>

#include <optional>

class QTextStream;

namespace velmora {

// The dictionary's answers for the terminal, printed with the texts the
// window shows: entries by headword (or by the base form of an inflected
// word, or the nearest headwords when there is none), and entries by their
// Roman-Hindi meaning.
class WordAnswers {
public:
    // The word-forms file beside Complete.dic.
    static constexpr const char *kWordFormsFile = "wordforms.txt";

    // Reads Complete.dic from `folder`. Throws Error when it cannot.
    explicit WordAnswers(const QString &folder);

    // The folder holding the program's data.
    static QString defaultFolder();

    // Prints every entry whose headword is `word`, letter case aside, to
    // `out`. When there is none and `word` is an inflected form, prints
    // "went → go" and the base form's entries instead. Otherwise says on
    // `err` that the word is not in the dictionary, with the nearest
    // headwords. True when an entry was printed.
    bool lookup(const QString &word, QTextStream &out, QTextStream &err) const;

    // Prints up to 20 entries whose meaning holds `hindi` as whole words,
    // spelling variants aside, one line each, or says on `err` that there is
    // none. True when an entry was printed.
    bool hindi(const QString &hindi, QTextStream &out, QTextStream &err) const;

private:
    void printEntries(const QList<int> &lines, QTextStream &out) const;
    bool isBase(const QString &word, const QString &partOfSpeech) const;
    const HeadwordIndex &index() const;

    QString m_folder;
    DictionaryLines m_lines;
    mutable std::optional<HeadwordIndex> m_index; // made on first use: --hindi needs none
};

} // namespace velmora
