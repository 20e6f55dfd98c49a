#pragma once

#include <string>
#include <string_view>

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
std::string romanizeWord(std::u32string_view word);
std::string romanize(std::string_view utf8);

} // namespace velmora::dicbuild
