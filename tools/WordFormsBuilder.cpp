#include "tools/WordFormsBuilder.h"

#include "tools/DictdReader.h"
#include "tools/Utf8.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <vector>

namespace velmora::dicbuild {

namespace {

struct SuffixRule {
    std::string_view partOfSpeech;
    std::string_view ending;
    std::string_view replacement;
};

// WordNet's morphy rules of detachment, in its order.
constexpr SuffixRule kSuffixRules[] = {
    { "noun", "s", "" },
    { "noun", "ses", "s" },
    { "noun", "xes", "x" },
    { "noun", "zes", "z" },
    { "noun", "ches", "ch" },
    { "noun", "shes", "sh" },
    { "noun", "men", "man" },
    { "noun", "ies", "y" },
    { "verb", "s", "" },
    { "verb", "ies", "y" },
    { "verb", "es", "e" },
    { "verb", "es", "" },
    { "verb", "ed", "e" },
    { "verb", "ed", "" },
    { "verb", "ing", "e" },
    { "verb", "ing", "" },
    { "adj", "er", "" },
    { "adj", "est", "" },
    { "adj", "er", "e" },
    { "adj", "est", "e" },
};

std::set<std::string, std::less<>> headwordsOf(std::string_view dictionaryText)
{
    std::set<std::string, std::less<>> headwords;
    for (const std::string_view line : splitText(dictionaryText, "\n")) {
        const std::string word = asciiLower(line.substr(0, line.find("||")));
        if (!word.empty())
            headwords.insert(word);
    }
    return headwords;
}

} // namespace

std::string buildWordForms(
    const std::array<std::string_view, 4> &exceptionTexts, std::string_view dictionaryText)
{
    const auto headwords = headwordsOf(dictionaryText);
    // Inflected form -> base forms, parts of speech in list order.
    std::map<std::string, std::vector<std::string>> forms;
    for (const std::string_view text : exceptionTexts) {
        for (const std::string_view line : splitText(text, "\n")) {
            const std::vector<std::string_view> fields = dicbuild::fields(line);
            // Multi-word forms (written with '_') cannot be typed as one word.
            if (fields.size() < 2 || fields[0].find('_') != std::string::npos)
                continue;
            const std::string inflected = asciiLower(fields[0]);
            if (headwords.contains(inflected))
                continue;
            for (size_t i = 1; i < fields.size(); ++i) {
                const std::string base = asciiLower(fields[i]);
                if (base == inflected || !headwords.contains(base))
                    continue;
                std::vector<std::string> &bases = forms[inflected];
                if (std::find(bases.begin(), bases.end(), base) == bases.end())
                    bases.push_back(base);
            }
        }
    }

    std::string out = "# Velmora's English word forms, made by velmora-dicbuild (see data/README.md)\n"
                      "# from WordNet 3.0 (wordnet-base): its suffix rules and its exception lists\n"
                      "# noun.exc, verb.exc, adj.exc and adv.exc, keeping the forms whose base form\n"
                      "# is a headword of Complete.dic. WordNet 3.0 licence, Princeton University.\n"
                      "[suffixes]\n";
    for (const SuffixRule &rule : kSuffixRules) {
        out.append(rule.partOfSpeech).append(" ").append(rule.ending);
        if (!rule.replacement.empty())
            out.append(" ").append(rule.replacement);
        out.append("\n");
    }
    out.append("[exceptions]\n");
    for (const auto &[inflected, bases] : forms) {
        out.append(inflected);
        for (const std::string &base : bases)
            out.append(" ").append(base);
        out.append("\n");
    }
    return out;
}

std::string buildWordForms(const std::string &wordnetDir, const std::string &dictionaryPath)
{
    std::array<std::string, 4> texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = readFile(wordnetDir + "/" + std::string(kExceptionLists[i]) + ".exc");
    const std::string dictionary = readFile(dictionaryPath);
    return buildWordForms({ texts[0], texts[1], texts[2], texts[3] }, dictionary);
}

} // namespace velmora::dicbuild
