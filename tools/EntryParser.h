#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora::dicbuild {

// One dictd entry of the FreeDict English-Hindi dictionary, as written:
//
//   abandon /ɐbˈandən/ <V>
//   1. छोड़~देना
//         "A baby abandoned by its parents was found here."
//
// The first line holds the headword, an optional pronunciation between
// slashes and the part of speech in angle brackets; then numbered senses
// (Devanagari meanings), each followed by its example sentences in double
// quotes. Texts are kept raw (UTF-8, quotes removed); formatting them is the
// job of EntryText.
struct RawEntry {
    std::string headword;
    std::string partOfSpeech;
    std::vector<std::string> senses;
    std::vector<std::string> examples;
};

// Returns false when the first line has no part of speech in angle brackets.
// A sense line is "N." followed by its text; an example starts with a double
// quote after indentation and runs to the line that ends with a closing
// quote; any other line holding Devanagari continues the last sense.
bool parseEntry(std::string_view text, RawEntry &entry);

} // namespace velmora::dicbuild
