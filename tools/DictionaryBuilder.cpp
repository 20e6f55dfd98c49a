#include "tools/DictionaryBuilder.h"

#include "tools/DicWriter.h"
#include "tools/DictdReader.h"
#include "tools/EntryParser.h"
#include "tools/EntryText.h"
#include "tools/PartOfSpeech.h"
#include "tools/Romanizer.h"
#include "tools/Utf8.h"
#include "tools/WordFrequency.h"
#include "tools/WordNet.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace velmora::dicbuild {

namespace {

std::vector<std::string> senses(const std::string &meaning)
{
    const std::vector<std::string_view> parts = splitText(meaning, "; ");
    return { parts.begin(), parts.end() };
}

bool isVerbCode(std::string_view code)
{
    return code == "v" || code == "vt" || code == "vi" || code == "vti";
}

// Two lines of one headword say the same: a verb given as vt and vi whose
// senses one repeats, or a closed-class word given again with the very same
// meaning (fifteen as det, pron and n).
bool nearDuplicate(const DicEntry &kept, const DicEntry &other)
{
    const std::vector<std::string> a = senses(kept.meaning);
    const std::vector<std::string> b = senses(other.meaning);
    auto within = [](const std::vector<std::string> &x, const std::vector<std::string> &y) {
        return std::all_of(x.begin(), x.end(),
            [&](const std::string &s) { return std::find(y.begin(), y.end(), s) != y.end(); });
    };
    if (isVerbCode(kept.code) && isVerbCode(other.code))
        return within(b, a);
    return (kept.closedClass || other.closedClass) && within(a, b) && within(b, a);
}

void foldNearDuplicates(std::vector<DicEntry> &entries, BuildReport &r)
{
    std::map<std::string, std::vector<std::size_t>> byHeadword;
    for (std::size_t i = 0; i < entries.size(); ++i)
        byHeadword[entries[i].headword].push_back(i);
    std::vector<bool> drop(entries.size(), false);
    for (auto &[headword, lines] : byHeadword) {
        // The commoner part of speech keeps the line.
        std::stable_sort(lines.begin(), lines.end(),
            [&](std::size_t x, std::size_t y) { return entries[x].posFrequency > entries[y].posFrequency; });
        for (std::size_t i = 0; i < lines.size(); ++i) {
            for (std::size_t j = i + 1; j < lines.size() && !drop[lines[i]]; ++j) {
                if (drop[lines[j]])
                    continue;
                // The line that says more stays (free: v "mukt karna" folds
                // into vt "mukt karna; chhodna").
                std::size_t keep = lines[i];
                std::size_t fold = lines[j];
                if (!nearDuplicate(entries[keep], entries[fold])) {
                    std::swap(keep, fold);
                    if (!nearDuplicate(entries[keep], entries[fold]))
                        continue;
                }
                drop[fold] = true;
                ++r.nearDuplicates;
                if (entries[keep].example.empty())
                    entries[keep].example = entries[fold].example;
            }
        }
    }
    std::vector<DicEntry> out;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (!drop[i])
            out.push_back(std::move(entries[i]));
    entries = std::move(out);
}

} // namespace

std::vector<DicEntry> collectEntries(const SourceTexts &in, BuildReport *report)
{
    BuildReport local;
    BuildReport &r = report ? *report : local;

    WordFrequency frequency;
    frequency.addCntlist(in.cntlist);
    const WordNet *wordnet = in.wordnet && !in.wordnet->empty() ? in.wordnet : nullptr;

    const std::vector<std::string> texts = entryTexts(parseIndex(in.index), in.dict);
    r.sourceEntries = static_cast<int>(texts.size());

    std::vector<RawEntry> raws(texts.size());
    std::set<std::u32string> hindiWords;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (!parseEntry(texts[i], raws[i]))
            continue;
        for (const std::string &sense : raws[i].senses)
            for (std::u32string &w : devanagariWords(sense))
                hindiWords.insert(std::move(w));
    }
    const std::set<std::u32string> fullSpelling = spellingCollisions(hindiWords);
    r.fullSpelling = fullSpelling;

    std::vector<DicEntry> entries;
    std::map<std::pair<std::string, std::string>, std::size_t> byKey;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const RawEntry &raw = raws[i];
        if (raw.partOfSpeech.empty()) {
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
        e.meaning = formatMeaning(raw.senses, &fullSpelling);
        for (const std::string &sense : raw.senses)
            for (std::u32string &w : devanagariWords(sense))
                e.hindiWords.insert(std::move(w));
        if (e.meaning.empty() || e.headword.empty()) {
            ++r.withoutMeaning;
            continue;
        }
        for (const std::string &example : raw.examples) {
            std::string text = formatExample(example);
            if (!text.empty() && (!wordnet || wordnet->looksEnglish(text))) {
                e.example = std::move(text);
                break;
            }
        }
        e.sourceOrder = i;
        e.closedClass = isClosedClass(e.code);
        e.frequency = frequency.count(e.headword, 0);
        e.posFrequency = frequency.count(e.headword, wordNetPos(e.code));

        const auto [it, inserted] = byKey.try_emplace({ e.headword, e.code }, entries.size());
        if (inserted) {
            entries.push_back(std::move(e));
            continue;
        }
        ++r.merged;
        DicEntry &first = entries[it->second];
        // Append the senses not already there, keep the first example.
        std::vector<std::string> have = senses(first.meaning);
        for (const std::string &sense : senses(e.meaning))
            if (std::find(have.begin(), have.end(), sense) == have.end()) {
                first.meaning += "; " + sense;
                have.push_back(sense);
            }
        if (first.example.empty())
            first.example = e.example;
        first.hindiWords.insert(e.hindiWords.begin(), e.hindiWords.end());
    }

    // "Yellow" (the Mongol) shares WordNet's count with "yellow" (the
    // colour) only by spelling: a capitalised headword that also exists in
    // lower case counts as never seen.
    std::set<std::string> headwords;
    for (const DicEntry &e : entries)
        headwords.insert(e.headword);
    for (DicEntry &e : entries) {
        const std::string l = asciiLower(e.headword);
        if (l != e.headword && headwords.contains(l)) {
            e.frequency = 0;
            e.posFrequency = 0;
        }
    }

    foldNearDuplicates(entries, r);

    const Overlay overlay(in.overlay);
    r.staleOverlayLines = overlay.apply(entries, frequency, &r.overlayChanged);
    for (DicEntry &e : entries)
        if (e.pinned && e.posFrequency == 0)
            e.posFrequency = frequency.count(e.headword, wordNetPos(e.code));

    if (wordnet) {
        for (DicEntry &e : entries) {
            if (!e.example.empty())
                continue;
            e.example = wordnet->example(e.headword, wordNetPos(e.code));
            if (!e.example.empty())
                ++r.examplesFromWordNet;
        }
    }
    // A noun WordNet gives no example for may be used, after an article or
    // a possessive, in the example of another entry.
    std::map<std::string, std::string> nounUses; // word (singular) -> first example using it so
    for (const DicEntry &e : entries) {
        if (e.example.empty())
            continue;
        std::vector<std::string> words;
        std::string word;
        for (char c : e.example + ' ') {
            if (std::isalpha(static_cast<unsigned char>(c)) || c == '-') {
                word.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
            } else if (!word.empty()) {
                words.push_back(word);
                word.clear();
            }
        }
        static const std::set<std::string> determiners { "the", "a", "an", "his", "her", "my", "our",
            "their" };
        for (std::size_t i = 1; i < words.size(); ++i) {
            if (!determiners.contains(words[i - 1]))
                continue;
            nounUses.try_emplace(words[i], e.example);
            if (words[i].size() > 3 && words[i].back() == 's')
                nounUses.try_emplace(words[i].substr(0, words[i].size() - 1), e.example);
        }
    }
    for (DicEntry &e : entries) {
        if (!e.example.empty() || e.code != "n" || e.headword.size() < 3)
            continue;
        if (const auto it = nounUses.find(asciiLower(e.headword)); it != nounUses.end()) {
            e.example = it->second;
            ++r.examplesFromOtherEntries;
        }
    }
    return entries;
}

std::string buildDictionary(const SourceTexts &texts, BuildReport *report)
{
    BuildReport local;
    BuildReport &r = report ? *report : local;
    const std::vector<DicEntry> entries = collectEntries(texts, &r);
    const std::vector<DicEntry> lines = selectLines(entries, &r.letters);
    std::set<std::u32string> shown;
    for (const DicEntry &e : lines)
        shown.insert(e.hindiWords.begin(), e.hindiWords.end());
    r.collidingSpellings = countSpellingCollisions(shown, &r.fullSpelling);
    r.collidingBeyondRetroflex = countSpellingCollisions(shown, &r.fullSpelling, false);
    return formatFile(lines);
}

WordNet readWordNet(const std::string &dir)
{
    WordNet wordnet;
    for (const auto &[pos, name] :
        { std::pair { 'n', "noun" }, { 'v', "verb" }, { 'a', "adj" }, { 'r', "adv" } }) {
        wordnet.addIndex(pos, readFile(dir + "/index." + name));
        wordnet.addData(pos, readFile(dir + "/data." + name));
        wordnet.addExceptions(readFile(dir + "/" + name + ".exc"));
    }
    return wordnet;
}

std::string buildDictionary(const BuildSources &sources, BuildReport *report)
{
    const std::string index = readFile(sources.indexPath);
    const std::string dict = readGzipFile(sources.dictPath);
    std::string cntlist;
    WordNet wordnet;
    if (!sources.wordnetDir.empty()) {
        cntlist = readFile(sources.wordnetDir + "/cntlist.rev");
        wordnet = readWordNet(sources.wordnetDir);
    }
    const std::string overlay = sources.overlayPath.empty() ? std::string() : readFile(sources.overlayPath);
    return buildDictionary(SourceTexts { index, dict, cntlist, overlay, &wordnet }, report);
}

} // namespace velmora::dicbuild
