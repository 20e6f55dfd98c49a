#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>

namespace velmora::dicbuild {

// How often each English word was seen in WordNet's sense-tagged corpora
// (SemCor and the Princeton tagged glosses), from wordnet-base's
// cntlist.rev: one line per word sense, "lemma%pos:... sense tag_count".
// Counts are summed per lemma and part of speech (adjective satellites count
// as adjectives).
class WordFrequency {
public:
    // Parses the text of cntlist.rev; malformed lines are skipped.
    void addCntlist(std::string_view text);

    // The count of a headword (any case; spaces as in the dictionary) for
    // WordNet's part of speech 'n', 'v', 'a' or 'r', or for all of them when
    // pos is 0.
    long count(std::string_view headword, char pos) const;

    bool empty() const { return m_counts.empty(); }

private:
    static std::string lemmaKey(std::string_view headword);
    std::map<std::string, std::array<long, 4>, std::less<>> m_counts;
};

} // namespace velmora::dicbuild
