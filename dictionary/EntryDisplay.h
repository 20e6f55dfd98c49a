#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace velmora {

// One dictionary line as the main window shows it once selected.
struct ShownEntry {
    QString headword; // as listed
    QString wordType; // empty for a code outside the word-type table
    QString meaning;
    QString example;
};

// The texts the window shows for a line, in one place, so that the window
// and the command line show the same entry the same way.
namespace EntryDisplay {

// The listed text of a line: field 0 in proper case, the whole line when it
// holds no "||".
QString headword(QByteArrayView line);
// WMeaning's text for field 2: proper case.
QString meaning(const QString &field);
// WType's text for the code in field 1; none for a code outside the table.
std::optional<QString> wordType(const QString &code);
// WExample's text for field 3: as stored.
QString example(const QString &field);

// Every text of `line` at once; a missing field gives an empty text.
ShownEntry entry(QByteArrayView line);

} // namespace EntryDisplay
} // namespace velmora
