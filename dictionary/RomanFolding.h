#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Roman-script Hindi has no one spelling: "paani" and "pani", "neer" and
// "nir", "hawa" and "hava" are the same words. Folding maps the variants
// people write onto one form, so that words compare after folding.
namespace velmora::RomanFolding {

// The folded form of one word: lower case; "ph" -> "f", "ee" -> "i",
// "oo" -> "u", "w" -> "v", "z" -> "j"; then every run of one letter
// written twice or more (aa, ii, uu, doubled consonants) becomes one.
// Characters other than letters are kept.
QString fold(QStringView word);
// The same, appended to `out`; runs are collapsed across the join too, so
// `out` should end in something other than a letter.
void foldInto(QStringView word, QString &out);

// The folded words of a text, in order: runs of letters, cut at every
// other character.
QStringList foldedWords(QStringView text);

} // namespace velmora::RomanFolding
