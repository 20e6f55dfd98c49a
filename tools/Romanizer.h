#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::dicbuild {

// Devanagari Hindi to the Roman spelling Hindi speakers use when they type
// without diacritics: कमल -> kamal, समझना -> samajhna, लड़का -> ladka,
// संक्षिप्त -> sankshipt, ज्ञान -> gyan.
//
// romanizeWord() takes one word of Devanagari letters and signs only.
// romanize() takes any UTF-8 text: every run of Devanagari letters is
// romanized as a word, a colon written for the visarga after a letter is
// read as one, and the rest is folded to printable ASCII (foldToAscii).
// The result is lower case and printable ASCII.
//
// The light spelling writes the long a as "a" inside longer words, so that
// मारना (kill) and मरना (die) would both be "marna". Words listed in
// fullSpelling (see spellingCollisions) write every long a but a word-final
// one as "aa" (maarna), and a final one after a conjunct too when the word
// without it is listed as well (chhaatraa beside chhaatra); a nasal long
// vowel at the end stays long (vahaan, choon) and an i after a short a
// takes its y (kayi). Perso-Arabic words are spelled as people write
// them even without the nukta (सफेद: safed), and English loanwords as English (कंप्यूटर: computer).
std::string romanizeWord(std::u32string_view word, const std::set<std::u32string> *fullSpelling = nullptr);
std::string romanize(std::string_view utf8, const std::set<std::u32string> *fullSpelling = nullptr);

// The Devanagari words (runs of Devanagari letters) of a text.
std::vector<std::u32string> devanagariWords(std::string_view utf8);

// Of a set of Hindi words, those whose light spelling is shared with
// another word: they take the full spelling. Spelling variants of one word
// (with or without nukta, chandrabindu or anusvara, a half nasal) are one
// word. remaining, when given, receives how many Roman forms still stand for
// two words after that.
std::set<std::u32string> spellingCollisions(const std::set<std::u32string> &words, int *remaining = nullptr);

// How many Roman forms stand for two or more of the words. Roman Hindi has
// no everyday letters for the retroflex consonants (ट ठ ड ढ against त थ द
// ध: baat is बात and बाट); without retroflexPairs, words apart only in those
// count as one.
int countSpellingCollisions(const std::set<std::u32string> &words,
    const std::set<std::u32string> *fullSpelling, bool retroflexPairs = true);

} // namespace velmora::dicbuild
