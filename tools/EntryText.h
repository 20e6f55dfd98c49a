#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::dicbuild {

// One sense of a FreeDict entry as a Roman-script meaning:
//   छोड़~देना            -> chhod dena      (~ and _ are spaces)
//   उकसाना{बुरे~काम~के~लिये} -> uksana (bure kaam ke liye)   ({} a context note)
//   रह[रख]~सकना           -> rah/rakh sakna  ([] an alternative to the word before)
//   पीछे, हतप्रभ          -> peechhe, hataprabh
// A single digit typed into a word ("मिटाना९") is dropped; a longer number
// touching a word is set apart. Returns an empty text for a sense without a
// Hindi meaning: one with no
// Devanagari letter (a stray English sentence, "?"), one whose Devanagari is
// garbled (vowel signs with no letter to carry them), or one holding
// machine-transliterated (WX) Latin words such as "garIba". Stray Latin
// letters glued to Devanagari are typing slips and are dropped.
// Words in fullSpelling take the full spelling (see Romanizer.h).
std::string formatSense(std::string_view rawSense, const std::set<std::u32string> *fullSpelling = nullptr);

// All senses of an entry joined in their order with "; "; senses without a
// Hindi meaning are skipped and repeated ones kept once.
std::string formatMeaning(
    const std::vector<std::string> &rawSenses, const std::set<std::u32string> *fullSpelling = nullptr);

// One English example sentence as printable ASCII, first letter capital:
// typographic quotes and dashes become ASCII, spaces are collapsed, "|"
// becomes "/". Returns an empty text for an example that is not a usable
// English sentence: any Devanagari in it (a Hindi example teaches an English
// reader nothing the meaning does not), no letters, a single word, one cut
// off after a word no sentence ends with ("... of the"), or the fragments
// of broken records ("--"2.xyz"", "\"word\",\"N\",...").
std::string formatExample(std::string_view rawExample);

// The first usable example of an entry, or an empty text.
std::string firstExample(const std::vector<std::string> &rawExamples);

// The headword as printable ASCII with single spaces, without a homonym
// number after its last letter ("pallet1" -> "pallet"); the source's joiners
// and brackets become spaces ("watch_dog", "book~keeper", "flag[stone]");
// empty when it holds Devanagari.
std::string formatHeadword(std::string_view rawHeadword);

} // namespace velmora::dicbuild
