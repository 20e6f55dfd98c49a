#pragma once

#include <QString>
#include <QStringList>

// The text operations the dictionary works with. Lower and upper case are
// QString::toLower()/toUpper(); only the two with rules of their own live here.
namespace velmora::text {

// Cuts `text` at every occurrence of `separator`, left to right without
// overlap; k occurrences give k + 1 pieces, empty ones included. An empty
// text gives no piece at all (unlike QString::split, which gives one).
QStringList split(const QString &text, const QString &separator);

// Upper-cases every letter that begins a word and lower-cases every other
// letter. A word begins at the start of the text and after a space, tab,
// line feed, vertical tab, form feed, carriage return or NUL; hyphens,
// apostrophes and full stops do not begin a word ("well-being" ->
// "Well-being", "ICE cream" -> "Ice Cream").
QString properCase(const QString &text);

} // namespace velmora::text
