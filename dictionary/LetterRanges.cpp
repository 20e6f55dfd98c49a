#include "dictionary/LetterRanges.h"

#include <array>

namespace velmora::LetterRanges {

namespace {

// Neighbouring rows overlap by two or three positions. X covers position 0
// alone: no stretch of the list is kept for it.
constexpr std::array<LetterRange, 26> kTable { {
    { 0, 946 }, // A
    { 945, 1742 }, // B
    { 1741, 3293 }, // C
    { 3292, 4238 }, // D
    { 4237, 4878 }, // E
    { 4877, 5629 }, // F
    { 5628, 6056 }, // G
    { 6055, 6562 }, // H
    { 6561, 7277 }, // I
    { 7276, 7405 }, // J
    { 7403, 7490 }, // K
    { 7488, 7998 }, // L
    { 7996, 8769 }, // M
    { 8767, 9071 }, // N
    { 9069, 9457 }, // O
    { 9455, 10682 }, // P
    { 10680, 10771 }, // Q
    { 10769, 11701 }, // R
    { 11699, 13482 }, // S
    { 13480, 14345 }, // T
    { 14343, 14664 }, // U
    { 14662, 14957 }, // V
    { 14955, 15431 }, // W
    { 0, 0 }, // X
    { 15429, 15481 }, // Y
    { 15479, 15500 }, // Z
} };

} // namespace

bool lookup(const QString &letter, LetterRange &range)
{
    if (letter.size() != 1)
        return false;
    const char16_t c = letter.front().unicode();
    if (c < u'A' || c > u'Z')
        return false;
    range = kTable[c - u'A'];
    return true;
}

} // namespace velmora::LetterRanges
