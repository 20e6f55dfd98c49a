#include "tools/WordFrequency.h"

#include <cctype>
#include <charconv>

namespace velmora::dicbuild {

namespace {

int slotOf(char pos)
{
    switch (pos) {
    case 'n':
    case '1':
        return 0;
    case 'v':
    case '2':
        return 1;
    case 'a':
    case '3':
    case 's':
    case '5':
        return 2;
    case 'r':
    case '4':
        return 3;
    default:
        return -1;
    }
}

} // namespace

std::string WordFrequency::lemmaKey(std::string_view headword)
{
    std::string key;
    for (char c : headword)
        key.push_back(c == ' ' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return key;
}

void WordFrequency::addCntlist(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        // sense_key sense_number tag_cnt, sense_key = lemma%ss_type:...
        const std::size_t percent = line.find('%');
        const std::size_t space1 = line.find(' ');
        const std::size_t space2 = line.rfind(' ');
        if (percent == std::string_view::npos || space1 == std::string_view::npos || space1 == space2
            || percent + 1 >= space1)
            continue;
        const int slot = slotOf(line[percent + 1]);
        long tagCount = 0;
        const std::string_view number = line.substr(space2 + 1);
        const auto parsed = std::from_chars(number.data(), number.data() + number.size(), tagCount);
        if (slot < 0 || parsed.ec != std::errc() || tagCount < 0)
            continue;
        auto &counts = m_counts[lemmaKey(line.substr(0, percent))];
        counts[static_cast<std::size_t>(slot)] += tagCount;
    }
}

long WordFrequency::count(std::string_view headword, char pos) const
{
    const auto it = m_counts.find(lemmaKey(headword));
    if (it == m_counts.end())
        return 0;
    if (pos == 0)
        return it->second[0] + it->second[1] + it->second[2] + it->second[3];
    const int slot = slotOf(pos);
    return slot < 0 ? 0 : it->second[static_cast<std::size_t>(slot)];
}

} // namespace velmora::dicbuild
