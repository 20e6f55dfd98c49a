#include "tools/WordFrequency.h"

#include "tools/Utf8.h"
#include "tools/WordNet.h"

#include <algorithm>
#include <charconv>

namespace velmora::dicbuild {

std::string WordFrequency::lemmaKey(std::string_view headword)
{
    std::string key = asciiLower(headword);
    std::replace(key.begin(), key.end(), ' ', '_');
    return key;
}

void WordFrequency::addCntlist(std::string_view text)
{
    for (const std::string_view line : splitText(text, "\n")) {
        // sense_key sense_number tag_cnt, sense_key = lemma%ss_type:...
        const std::size_t percent = line.find('%');
        const std::size_t space1 = line.find(' ');
        const std::size_t space2 = line.rfind(' ');
        if (percent == std::string_view::npos || space1 == std::string_view::npos || space1 == space2
            || percent + 1 >= space1)
            continue;
        const int slot = wordNetSlot(line[percent + 1]);
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
    const int slot = wordNetSlot(pos);
    return slot < 0 ? 0 : it->second[static_cast<std::size_t>(slot)];
}

} // namespace velmora::dicbuild
