#pragma once

#include <QString>

namespace velmora {

// The stretch of list positions, both ends included, that the incremental
// search scans for words beginning with one capital letter. A fixed table
// that matches the line order of the bundled dictionary; it is not computed
// from the file.
struct LetterRange {
    int start = 0;
    int end = 0;
};

namespace LetterRanges {

// The row of `letter` when it is exactly one of the capitals A to Z.
bool lookup(const QString &letter, LetterRange &range);

} // namespace LetterRanges
} // namespace velmora
