#include "tools/DicWriter.h"

#include <algorithm>
#include <stdexcept>

namespace velmora::dicbuild {

namespace {

void check(std::string_view field, std::string_view name, bool mayBeEmpty, const DicEntry &entry)
{
    if (field.empty() && !mayBeEmpty)
        throw std::invalid_argument(
            std::string("empty ") + std::string(name) + " in entry " + entry.headword);
    if (!isPrintableField(field))
        throw std::invalid_argument(
            std::string("bad character in the ") + std::string(name) + " of entry " + entry.headword);
}

} // namespace

bool isPrintableField(std::string_view field)
{
    return std::all_of(field.begin(), field.end(), [](char c) { return c >= 0x20 && c <= 0x7E && c != '|'; });
}

std::string formatLine(const DicEntry &entry)
{
    check(entry.headword, "headword", false, entry);
    check(entry.code, "code", false, entry);
    check(entry.meaning, "meaning", false, entry);
    check(entry.example, "example", true, entry);
    return entry.headword + "||" + entry.code + "||" + entry.meaning + "||" + entry.example + "\r\n";
}

std::string formatFile(const std::vector<DicEntry> &lines)
{
    std::string out;
    for (const DicEntry &e : lines)
        out += formatLine(e);
    return out;
}

} // namespace velmora::dicbuild
