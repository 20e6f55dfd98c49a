#include "tools/PartOfSpeech.h"

#include "dictionary/WordTypes.h"

#include <QString>

#include <algorithm>
#include <cctype>

namespace velmora::dicbuild {

bool isWordTypeCode(std::string_view code)
{
    return velmora::WordTypes::nameOf(QString::fromUtf8(code.data(), static_cast<qsizetype>(code.size())))
        .has_value();
}

std::string wordTypeCode(std::string_view partOfSpeech)
{
    std::string pos;
    for (char c : partOfSpeech)
        pos.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    auto trim = [](std::string &s) {
        while (!s.empty() && s.front() == ' ')
            s.erase(s.begin());
        while (!s.empty() && s.back() == ' ')
            s.pop_back();
    };
    trim(pos);
    if (pos.starts_with("abbr"))
        return "abbr:";
    if (const std::size_t slash = pos.find('/'); slash != std::string::npos)
        pos.erase(slash);
    while (!pos.empty() && pos.back() == '.')
        pos.pop_back();
    trim(pos);

    struct Row {
        std::string_view source;
        std::string_view code;
    };
    static constexpr Row rows[] = {
        { "n", "n" },
        { "adj", "a" },
        { "a", "a" },
        { "adv", "adv" },
        { "v", "v" },
        { "vt", "vt" },
        { "vi", "vi" },
        { "vti", "vti" },
        { "vp", "phrv" },
        { "phrv", "phrv" },
        { "phrvt", "phrvt" },
        { "phrvi", "phrvi" },
        { "idm", "idm" },
        { "prep", "prep" },
        { "pron", "pron" },
        { "conj", "conj" },
        { "det", "det" },
        { "interj", "interj" },
        { "interro", "interro" },
        { "pref", "pref" },
        { "prefix", "pref" },
        { "suffix", "suffix" },
        { "suff", "suffix" },
        { "comb form", "comb form" },
        { "rel pron", "rel pron" },
        { "refl pron", "refl pron" },
        { "auxv", "auxV" },
        { "mv", "mv" },
        { "part", "part" },
        { "propn", "propn" },
        { "vneg", "vneg" },
    };
    for (const Row &row : rows)
        if (row.source == pos)
            return std::string(row.code);
    return {};
}

bool isClosedClass(std::string_view code)
{
    static constexpr std::string_view closed[] = {
        "auxV",
        "conj",
        "det",
        "interj",
        "interro",
        "mv",
        "part",
        "prep",
        "pron",
        "refl pron",
        "rel pron",
        "vneg",
    };
    return std::find(std::begin(closed), std::end(closed), code) != std::end(closed);
}

} // namespace velmora::dicbuild
