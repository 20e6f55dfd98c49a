#pragma once

#include <array>
#include <string>
#include <string_view>

namespace velmora::dicbuild {

// The word-forms file Velmora reads to answer an inflected word (went, geese)
// with its base form's entry: WordNet's suffix rules, then the forms of its
// exception lists whose base form is a headword of the dictionary and which
// are not headwords themselves (those are found directly). The format is
// described in dictionary/Morphology.h.

// WordNet's exception lists, in this order.
inline constexpr std::array<std::string_view, 4> kExceptionLists { "noun", "verb", "adj", "adv" };

// From the texts of noun.exc, verb.exc, adj.exc, adv.exc and of Complete.dic.
std::string buildWordForms(
    const std::array<std::string_view, 4> &exceptionTexts, std::string_view dictionaryText);

// The same from the files in `wordnetDir` and the dictionary at
// `dictionaryPath`; throws std::runtime_error when one cannot be read.
std::string buildWordForms(const std::string &wordnetDir, const std::string &dictionaryPath);

} // namespace velmora::dicbuild
