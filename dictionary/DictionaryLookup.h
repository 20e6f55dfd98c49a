#pragma once

#include "dictionary/DictionaryFile.h"
#include "dictionary/DictionaryView.h"

#include <QString>
#include <QStringList>

namespace velmora {

// The main window's dictionary logic: the loaded lines, the search range and
// the handlers of the word list, the search box and the copy command. It
// reaches the controls only through a DictionaryView.
//
// List position i shows the headword of line i in proper case. Typing into
// the search box selects the first item, within the first letter's stretch
// of the list, that begins with the typed text, letter case aside; each
// selection shows that line's meaning, word type and example.
class DictionaryLookup {
public:
    explicit DictionaryLookup(DictionaryView &view);

    // Reads the file and lists every line's headword. Throws Error.
    void LoadDictionary(const QString &path);
    // Lists every line's headword of lines already read.
    void LoadLines(DictionaryLines lines);

    void Text1_Change();
    void List1_Click();
    // `button` uses the platform's codes: 1 left, 2 right, 4 middle.
    void List1_MouseDown(int button);
    void MCopy_Click();

    const DictionaryLines &lines() const { return Lines; }
    // The listed text of line i: its headword in proper case.
    QString headword(int i) const;
    int rangeStart() const { return RangeStart; }
    int rangeEnd() const { return RangeEnd; }

private:
    void SetLetterRange(const QString &letter);
    QString field(int index) const;

    DictionaryView &m_view;
    DictionaryLines Lines;
    QStringList Fields;
    int RangeStart = 0;
    int RangeEnd = 0;
};

} // namespace velmora
