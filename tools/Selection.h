#pragma once

#include "dictionary/LetterRanges.h"

#include <set>
#include <string>
#include <vector>

namespace velmora::dicbuild {

// One line of Complete.dic before it is written.
struct DicEntry {
    std::string headword; // printable ASCII, as the source spells it
    std::string code; // one of the 28 word-type codes
    std::string meaning; // Roman-script Hindi
    std::string example; // may be empty
    std::size_t sourceOrder = 0; // position in the source, for stable ties
    long frequency = 0; // WordNet tagged count of the word, all parts of speech together
    bool closedClass = false; // determiner, pronoun, preposition... (no WordNet count)
    long posFrequency = 0; // WordNet tagged count of the word in this part of speech
    bool pinned = false; // an everyday word the overlay names: always kept
    std::set<std::u32string> hindiWords; // the Devanagari words its meaning was written from
};

// The program's letter-range table (dictionary/LetterRanges.h) row of a
// capital letter A to Z, so that the file's line order and the search can
// never disagree.
velmora::LetterRange letterRange(char letter);
inline constexpr int totalLines = 15500;

// The file positions a letter's lines take. Each boundary between two
// letters lies inside the overlap of their ranges: a letter's first line is
// one past the start of its range (A: 0), its last line is the position at
// which the next letter's range starts (Z: the file's last line). X gets no
// lines: its range is position 0 alone and could never find them.
struct LetterPlaces {
    char letter;
    int first;
    int last;
    int count() const { return last - first + 1; }
};
std::vector<LetterPlaces> letterPlaces();

// The frequency band of an entry: 0 for a word WordNet never saw tagged,
// otherwise 1 + floor(log2(count)); closed-class words and the everyday
// words of the overlay are in the top band.
int frequencyBand(const DicEntry &entry);

// Selection order (most useful first):
//   1. higher frequency band (common words first);
//   2. complete entries, with both a meaning and an example, first;
//   3. single words before phrases (headwords with a space);
//   4. higher exact count;
//   5. then alphabetical (ignoring case) and source order, so ties are stable.
bool selectedBefore(const DicEntry &a, const DicEntry &b);

// List order within a letter: headword lower-cased, byte by byte (so a word
// comes before every longer word it begins); the lines of one headword by
// how common that part of speech is for it (WordNet's counts), then source
// order.
bool listedBefore(const DicEntry &a, const DicEntry &b);

// Whether an entry may be listed at all: a headword that begins with a
// letter other than X, a word-type code and a meaning.
bool listable(const DicEntry &entry);

struct LetterReport {
    char letter;
    int candidates;
    int places;
};

// Picks, for each letter, as many entries as it has places, by
// selectedBefore, and lists them by listedBefore, letters A to Z. Throws
// std::runtime_error when a letter has fewer listable entries than places.
std::vector<DicEntry> selectLines(
    const std::vector<DicEntry> &entries, std::vector<LetterReport> *report = nullptr);

} // namespace velmora::dicbuild
