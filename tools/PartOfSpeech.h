#pragma once

#include <string>
#include <string_view>

namespace velmora::dicbuild {

// Whether the program shows a word type for this code.
bool isWordTypeCode(std::string_view code);

// The code for a FreeDict part of speech: "N" -> "n", "Adj" -> "a", "VTI" ->
// "vti", "Comb form" -> "comb form", "AuxV" -> "auxV". A combined part such
// as "N/Det" takes its first part; every "Abbr..." becomes "abbr:"; a
// trailing full stop ("Adv.") is ignored; the verb phrase "VP" is a phrasal
// verb. Returns an empty text for a part of speech it does not know.
std::string wordTypeCode(std::string_view partOfSpeech);

// Parts of speech that WordNet does not cover: the closed classes
// (determiners, pronouns, prepositions, conjunctions, auxiliaries and
// modals, interjections, particles...). They are the most frequent words of
// English, so selection ranks them with the most common words.
bool isClosedClass(std::string_view code);

} // namespace velmora::dicbuild
