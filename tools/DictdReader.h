#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::dicbuild {

// One line of a dictd .index file: the lookup key and where the entry's
// text lies in the (decompressed) .dict file.
struct IndexEntry {
    std::string key;
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

// Decodes a dictd offset or length: base64 digits (A-Z a-z 0-9 + /), most
// significant first. Returns false for an empty text or another character.
bool decodeDictdNumber(std::string_view text, std::uint64_t &value);

// Parses the text of a .index file (key TAB offset TAB length per line).
// Lines that do not have that shape are skipped.
std::vector<IndexEntry> parseIndex(std::string_view text);

// The raw text of each entry, in index order. Entries whose key starts with
// "00database" (dictd's own metadata) and entries reaching past the end of
// the data are left out.
std::vector<std::string> entryTexts(const std::vector<IndexEntry> &index, std::string_view dict);

// Whole files. readFile reads bytes as they are; readGzipFile inflates a gzip
// (or dictzip, which is gzip with an index in its header) file. Both throw
// std::runtime_error naming the file when it cannot be read.
std::string readFile(const std::string &path);
std::string readGzipFile(const std::string &path);

// Writes the bytes as they are, replacing the file; throws
// std::runtime_error naming it when it cannot be written.
void writeFile(const std::string &path, std::string_view bytes);

} // namespace velmora::dicbuild
