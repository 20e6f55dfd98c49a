#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora::dicbuild {

// UTF-8 to code points and back. Malformed bytes decode as U+FFFD each, so
// that damaged input never stops a build; the later steps drop what they
// cannot write as ASCII.
std::u32string decodeUtf8(std::string_view text);
std::string encodeUtf8(std::u32string_view text);

bool isDevanagari(char32_t c);
bool hasDevanagari(std::u32string_view text);
bool hasDevanagari(std::string_view utf8);

// Printable ASCII for any text: typographic quotes, dashes and bullets
// become their ASCII forms, spaces and control characters a space, and a
// character whose compatibility decomposition is ASCII with marks (é, ﬁ,
// the ellipsis, a no-break space) that ASCII without the marks; whatever is
// left outside printable ASCII is dropped. Devanagari is not handled here:
// romanize it first.
std::string foldToAscii(std::u32string_view text);

// Collapses runs of spaces to one and trims both ends.
std::string squeezeSpaces(std::string_view text);

// ASCII letters in lower case, the rest as it is.
std::string asciiLower(std::string_view text);

// Without spaces, tabs and carriage returns at either end.
std::string_view trimmed(std::string_view text);

// The parts of a text between separators, empty ones included: "a\n\nb" is
// "a", "", "b", and a text ending in a separator ends in an empty part.
std::vector<std::string_view> splitText(std::string_view text, std::string_view separator);

// The words of a line separated by spaces, tabs or carriage returns.
std::vector<std::string_view> fields(std::string_view line);

} // namespace velmora::dicbuild
