#pragma once

#include "tools/Selection.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmora::dicbuild {

class WordFrequency;

// The everyday overlay, a reviewed text file of one line per dictionary
// line (data/everyday-overlay.tsv):
//
//   headword TAB code TAB meaning [TAB example]
//
// The meaning is Roman-script Hindi, senses separated by "; ". It goes
// first, and the source's senses that it does not repeat follow it; a
// meaning that begins with "=" replaces the source's senses instead (for the
// source's plain errors). A line whose headword (exact, letter case
// included) and code are not in the source adds that line. Blank lines and
// lines starting with '#' are comments.
class Overlay {
public:
    struct Line {
        int number = 0; // in the file, from 1
        std::string headword;
        std::string code;
        std::string meaning; // without the "="
        std::string example;
        bool replaces = false;
    };

    // Throws std::runtime_error naming the line for a malformed one (not
    // three or four fields, a code the program does not know, a character
    // outside printable ASCII, a headword given twice with one code).
    explicit Overlay(std::string_view text = {});

    // Applies every line; entries it touches or adds are pinned (always
    // kept). Returns the lines that changed nothing, so that stale ones are
    // seen; changed counts the others.
    std::vector<Line> apply(
        std::vector<DicEntry> &entries, const WordFrequency &frequency, int *changed = nullptr) const;

    const std::vector<Line> &lines() const { return m_lines; }

private:
    std::vector<Line> m_lines;
};

} // namespace velmora::dicbuild
