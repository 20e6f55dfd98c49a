#include "tools/Selection.h"

#include "dictionary/LetterRanges.h"
#include "tools/Utf8.h"

#include <QString>

#include <algorithm>
#include <bit>
#include <cctype>
#include <stdexcept>
#include <tuple>

namespace velmora::dicbuild {

namespace {

char letterOf(const DicEntry &e)
{
    return e.headword.empty() ? 0
                              : static_cast<char>(std::toupper(static_cast<unsigned char>(e.headword[0])));
}

} // namespace

velmora::LetterRange letterRange(char letter)
{
    velmora::LetterRange range;
    velmora::LetterRanges::lookup(QString(QLatin1Char(letter)), range);
    return range;
}

std::vector<LetterPlaces> letterPlaces()
{
    std::vector<LetterPlaces> places;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (letter == 'X')
            continue;
        const char next = letter == 'W' ? 'Y' : static_cast<char>(letter + 1);
        const int first = letter == 'A' ? letterRange(letter).start : letterRange(letter).start + 1;
        const int last = letter == 'Z' ? totalLines - 1 : letterRange(next).start;
        places.push_back({ letter, first, last });
    }
    return places;
}

int frequencyBand(const DicEntry &entry)
{
    if (entry.closedClass || entry.pinned)
        return 64;
    if (entry.frequency <= 0)
        return 0;
    return static_cast<int>(std::bit_width(static_cast<unsigned long>(entry.frequency))); // 1 + floor(log2)
}

bool selectedBefore(const DicEntry &a, const DicEntry &b)
{
    const auto key = [](const DicEntry &e) {
        return std::make_tuple(-frequencyBand(e), e.example.empty() ? 1 : 0,
            e.headword.find(' ') == std::string::npos ? 0 : 1, -e.frequency);
    };
    const auto ka = key(a);
    const auto kb = key(b);
    if (ka != kb)
        return ka < kb;
    return listedBefore(a, b);
}

bool listedBefore(const DicEntry &a, const DicEntry &b)
{
    const std::string la = asciiLower(a.headword);
    const std::string lb = asciiLower(b.headword);
    if (la != lb)
        return la < lb;
    if (a.posFrequency != b.posFrequency)
        return a.posFrequency > b.posFrequency;
    return a.sourceOrder < b.sourceOrder;
}

bool listable(const DicEntry &entry)
{
    const char letter = letterOf(entry);
    return letter >= 'A' && letter <= 'Z' && letter != 'X' && !entry.code.empty() && !entry.meaning.empty();
}

std::vector<DicEntry> selectLines(const std::vector<DicEntry> &entries, std::vector<LetterReport> *report)
{
    std::vector<DicEntry> lines;
    lines.reserve(totalLines);
    for (const LetterPlaces &places : letterPlaces()) {
        std::vector<DicEntry> candidates;
        for (const DicEntry &e : entries)
            if (listable(e) && letterOf(e) == places.letter)
                candidates.push_back(e);
        if (report)
            report->push_back({ places.letter, static_cast<int>(candidates.size()), places.count() });
        if (static_cast<int>(candidates.size()) < places.count())
            throw std::runtime_error(std::string("too few entries for the letter ") + places.letter + ": "
                + std::to_string(candidates.size()) + " for " + std::to_string(places.count()) + " places");
        std::sort(candidates.begin(), candidates.end(), selectedBefore);
        candidates.resize(static_cast<std::size_t>(places.count()));
        std::sort(candidates.begin(), candidates.end(), listedBefore);
        lines.insert(lines.end(), candidates.begin(), candidates.end());
    }
    return lines;
}

} // namespace velmora::dicbuild
