#pragma once

#include <string>
#include <string_view>

namespace velmora::dicbuild {

// UTF-8 to code points and back. Malformed bytes decode as U+FFFD each, so
// that damaged input never stops a build; the later steps drop what they
// cannot write as ASCII.
std::u32string decodeUtf8(std::string_view text);
std::string encodeUtf8(std::u32string_view text);

bool isDevanagari(char32_t c);

// Printable ASCII for any text: typographic quotes, dashes, ellipses and
// spaces become their ASCII forms, Latin letters with marks lose the marks,
// control characters become spaces, and whatever is left outside printable
// ASCII is dropped. Devanagari is not handled here: romanize it first.
std::string foldToAscii(std::u32string_view text);

// Collapses runs of spaces to one and trims both ends.
std::string squeezeSpaces(std::string_view text);

} // namespace velmora::dicbuild
