#include "tools/DictionaryBuilder.h"

#include "tools/DicWriter.h"
#include "tools/DictdReader.h"
#include "tools/EntryParser.h"
#include "tools/EntryText.h"
#include "tools/PartOfSpeech.h"
#include "tools/WordFrequency.h"

#include <cctype>
#include <map>

namespace velmora::dicbuild {

std::vector<DicEntry> collectEntries(
    std::string_view indexText, std::string_view dictText, std::string_view cntlistText, BuildReport *report)
{
    BuildReport local;
    BuildReport &r = report ? *report : local;

    WordFrequency frequency;
    frequency.addCntlist(cntlistText);

    const std::vector<std::string> texts = entryTexts(parseIndex(indexText), dictText);
    r.sourceEntries = static_cast<int>(texts.size());

    std::vector<DicEntry> entries;
    std::map<std::pair<std::string, std::string>, std::size_t> byKey;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        RawEntry raw;
        if (!parseEntry(texts[i], raw)) {
            ++r.unparsed;
            continue;
        }
        DicEntry e;
        e.code = wordTypeCode(raw.partOfSpeech);
        if (e.code.empty()) {
            ++r.unknownPartOfSpeech;
            continue;
        }
        e.headword = formatHeadword(raw.headword);
        e.meaning = formatMeaning(raw.senses);
        if (e.meaning.empty() || e.headword.empty()) {
            ++r.withoutMeaning;
            continue;
        }
        e.example = firstExample(raw.examples);
        e.sourceOrder = i;
        e.closedClass = isClosedClass(e.code);
        e.frequency = frequency.count(e.headword, 0);

        std::string key;
        for (char c : e.headword)
            key.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        const auto [it, inserted] = byKey.try_emplace({ key, e.code }, entries.size());
        if (inserted) {
            entries.push_back(std::move(e));
            continue;
        }
        ++r.merged;
        DicEntry &first = entries[it->second];
        // Append the senses not already there, keep the first example.
        std::size_t pos = 0;
        while (pos <= e.meaning.size()) {
            std::size_t end = e.meaning.find("; ", pos);
            if (end == std::string::npos)
                end = e.meaning.size();
            const std::string sense = e.meaning.substr(pos, end - pos);
            const std::string padded = "; " + first.meaning + "; ";
            if (!sense.empty() && padded.find("; " + sense + "; ") == std::string::npos)
                first.meaning += "; " + sense;
            pos = end + 2;
        }
        if (first.example.empty())
            first.example = e.example;
    }
    return entries;
}

std::string buildDictionary(
    std::string_view indexText, std::string_view dictText, std::string_view cntlistText, BuildReport *report)
{
    BuildReport local;
    BuildReport &r = report ? *report : local;
    const std::vector<DicEntry> entries = collectEntries(indexText, dictText, cntlistText, &r);
    return formatFile(selectLines(entries, &r.letters));
}

std::string buildDictionary(const BuildSources &sources, BuildReport *report)
{
    const std::string index = readFile(sources.indexPath);
    const std::string dict = readGzipFile(sources.dictPath);
    const std::string cntlist
        = sources.wordnetDir.empty() ? std::string() : readFile(sources.wordnetDir + "/cntlist.rev");
    return buildDictionary(index, dict, cntlist, report);
}

} // namespace velmora::dicbuild
