#include "tools/DicWriter.h"

#include <stdexcept>

namespace velmora::dicbuild {

namespace {

void check(std::string_view field, std::string_view name, bool mayBeEmpty, const DicEntry &entry)
{
    if (field.empty() && !mayBeEmpty)
        throw std::invalid_argument(
            std::string("empty ") + std::string(name) + " in entry " + entry.headword);
    for (char c : field)
        if (c < 0x20 || c > 0x7E || c == '|')
            throw std::invalid_argument(
                std::string("bad character in the ") + std::string(name) + " of entry " + entry.headword);
}

} // namespace

std::string formatLine(const DicEntry &entry)
{
    check(entry.headword, "headword", false, entry);
    check(entry.code, "code", false, entry);
    check(entry.meaning, "meaning", false, entry);
    check(entry.example, "example", true, entry);
    std::string line;
    line.reserve(entry.headword.size() + entry.code.size() + entry.meaning.size() + entry.example.size() + 8);
    line += entry.headword;
    line += "||";
    line += entry.code;
    line += "||";
    line += entry.meaning;
    line += "||";
    line += entry.example;
    line += "\r\n";
    return line;
}

std::string formatFile(const std::vector<DicEntry> &lines)
{
    std::string out;
    for (const DicEntry &e : lines)
        out += formatLine(e);
    return out;
}

} // namespace velmora::dicbuild
