#include "tools/PartOfSpeech.h"

#include "dictionary/WordTypes.h"
#include "tools/Utf8.h"

#include <QString>

#include <algorithm>

namespace velmora::dicbuild {

bool isWordTypeCode(std::string_view code)
{
    return velmora::WordTypes::nameOf(QString::fromUtf8(code.data(), static_cast<qsizetype>(code.size())))
        .has_value();
}

std::string wordTypeCode(std::string_view partOfSpeech)
{
    std::string pos = asciiLower(trimmed(partOfSpeech));
    if (pos.starts_with("abbr"))
        return "abbr:";
    if (const std::size_t slash = pos.find('/'); slash != std::string::npos)
        pos.erase(slash);
    while (!pos.empty() && pos.back() == '.')
        pos.pop_back();
    pos = std::string(trimmed(pos));
    static constexpr std::pair<std::string_view, std::string_view> spelledOtherwise[] = {
        { "adj", "a" },
        { "vp", "phrv" },
        { "prefix", "pref" },
        { "suff", "suffix" },
        { "auxv", "auxV" },
    };
    for (const auto &[source, code] : spelledOtherwise)
        if (source == pos)
            return std::string(code);
    // The others as the program writes them, in any case.
    return isWordTypeCode(pos) ? pos : std::string();
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
