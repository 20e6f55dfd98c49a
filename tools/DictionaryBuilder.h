#pragma once

#include "tools/Overlay.h"
#include "tools/Selection.h"

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::dicbuild {

class WordNet;

struct BuildSources {
    std::string indexPath = "/usr/share/dictd/freedict-eng-hin.index";
    std::string dictPath = "/usr/share/dictd/freedict-eng-hin.dict.dz";
    std::string wordnetDir = "/usr/share/wordnet"; // empty: no frequency signal and no examples
    std::string overlayPath; // empty: no overlay
};

// The texts of the sources, already read.
struct SourceTexts {
    std::string_view index;
    std::string_view dict;
    std::string_view cntlist;
    std::string_view overlay;
    const WordNet *wordnet = nullptr; // examples and English words; may be null
};

struct BuildReport {
    int sourceEntries = 0; // entries in the dictd file
    int unparsed = 0; // without a part of speech
    int unknownPartOfSpeech = 0;
    int withoutMeaning = 0; // no Hindi meaning left after cleaning
    int merged = 0; // same headword and code as an earlier entry
    int nearDuplicates = 0; // lines folded into another line of the same headword
    int examplesFromWordNet = 0;
    int examplesFromOtherEntries = 0; // nouns used in another entry's example
    int overlayChanged = 0; // overlay lines that changed or added a line
    std::vector<Overlay::Line> staleOverlayLines; // overlay lines that changed nothing
    int collidingSpellings = 0; // Roman forms of the listed meanings that still stand for two Hindi words
    int collidingBeyondRetroflex = 0; // the same, not counting words apart only in retroflex letters
    std::set<std::u32string> fullSpelling; // Hindi words spelled in full to keep them apart
    std::vector<LetterReport> letters;
};

// Every entry of the dictd data as a line candidate, in source order:
// parsed, its part of speech mapped, meaning and example formatted, its
// frequency looked up. Entries with the same headword (letter case
// included: "Yellow", the Mongol, is not "yellow") and code are merged into
// the first (senses appended, first example kept); a line whose senses
// repeat another line of the headword (a verb as vt and vi, a number as det
// and pron) is folded into it. Then the overlay is applied and lines without
// an English example take one from WordNet, or, for a noun WordNet has none
// for, from another entry's example that uses it after an article. Entries without a code or
// meaning are counted in the report and left out.
std::vector<DicEntry> collectEntries(const SourceTexts &texts, BuildReport *report = nullptr);

// The bytes of Complete.dic built from the texts of the source files.
std::string buildDictionary(const SourceTexts &texts, BuildReport *report = nullptr);

// The same from the files; throws std::runtime_error when one cannot be read.
std::string buildDictionary(const BuildSources &sources, BuildReport *report = nullptr);

// WordNet's index, data and exception files from a folder.
WordNet readWordNet(const std::string &dir);

} // namespace velmora::dicbuild
