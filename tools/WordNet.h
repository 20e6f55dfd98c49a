#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::dicbuild {

// What velmora-dicbuild takes from WordNet 3.0 (wordnet-base) besides the
// word counts: the example sentences of each word's senses and the set of
// English words, from index.{noun,verb,adj,adv}, data.* and *.exc.
//
//   index.verb: watch v 7 5 @ ~ * $ + 7 5 02150528 02455407 ...
//               (lemma, part of speech, counts and pointers, then the
//               synset offsets, commonest sense first)
//   data.verb:  02150528 39 v 01 watch 0 ... | look attentively; "watch a basketball game"
//   verb.exc:   ran run
class WordNet {
public:
    // pos is 'n', 'v', 'a' or 'r'. Malformed lines are skipped.
    void addIndex(char pos, std::string_view text);
    void addData(char pos, std::string_view text);
    void addExceptions(std::string_view text);

    // The first example, in the word's sense order for that part of speech,
    // that uses the word itself (any inflection), as a sentence: capital
    // first letter, single spaces. Empty when WordNet has none.
    std::string example(std::string_view headword, char pos) const;

    // Whether a word (any case) is an English word WordNet knows: a lemma,
    // an inflection of one, or one of the function words WordNet leaves out.
    bool knows(std::string_view word) const;

    // Whether a Latin-script sentence reads as English: at least half of its
    // words are known (names are not). Catches Hindi written in Roman letters.
    bool looksEnglish(std::string_view sentence) const;

    bool empty() const { return m_lemmas.empty(); }

private:
    bool usesWord(std::string_view sentence, std::string_view lemma) const;
    std::map<std::string, std::vector<unsigned long>, std::less<>> m_senses[4]; // lemma -> synset offsets
    std::map<unsigned long, std::vector<std::string>> m_examples[4]; // synset offset -> examples
    std::set<std::string, std::less<>> m_lemmas; // every lemma, lower case, spaces for '_'
    std::map<std::string, std::vector<std::string>, std::less<>> m_inflections; // lemma -> irregular forms
    std::set<std::string, std::less<>> m_irregular; // irregular forms
};

// WordNet's part of speech for a word-type code: 'n', 'v', 'a', 'r', or 0
// for codes WordNet does not cover (pronouns, prepositions, idioms...).
char wordNetPos(std::string_view code);

// The slot 0..3 of WordNet's noun, verb, adjective and adverb for its part
// of speech letter (n, v, a or the satellite s, r) or its number in a sense
// key (1 to 5), or -1.
int wordNetSlot(char pos);

} // namespace velmora::dicbuild
