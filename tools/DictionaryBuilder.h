#pragma once

#include "tools/Selection.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmora::dicbuild {

struct BuildSources {
    std::string indexPath = "/usr/share/dictd/freedict-eng-hin.index";
    std::string dictPath = "/usr/share/dictd/freedict-eng-hin.dict.dz";
    std::string wordnetDir = "/usr/share/wordnet"; // empty: no frequency signal
};

struct BuildReport {
    int sourceEntries = 0; // entries in the dictd file
    int unparsed = 0; // without a part of speech
    int unknownPartOfSpeech = 0;
    int withoutMeaning = 0; // no Hindi meaning left after cleaning
    int merged = 0; // same headword and code as an earlier entry
    std::vector<LetterReport> letters;
};

// Every entry of the dictd data as a line candidate, in source order:
// parsed, its part of speech mapped, meaning and example formatted, its
// frequency looked up; entries with the same headword (ignoring case) and
// code are merged into the first (senses appended, first example kept).
// Entries without a code or meaning are counted in the report and left out.
std::vector<DicEntry> collectEntries(std::string_view indexText, std::string_view dictText,
    std::string_view cntlistText, BuildReport *report = nullptr);

// The bytes of Complete.dic built from the texts of the source files.
std::string buildDictionary(std::string_view indexText, std::string_view dictText,
    std::string_view cntlistText, BuildReport *report = nullptr);

// The same from the files; throws std::runtime_error when one cannot be read.
std::string buildDictionary(const BuildSources &sources, BuildReport *report = nullptr);

} // namespace velmora::dicbuild
