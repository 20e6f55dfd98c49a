#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace velmora {

// The few operations through which the dictionary logic reaches the main
// window's controls, so that the logic runs and is tested without windows.
class DictionaryView {
public:
    virtual ~DictionaryView() = default;

    // List1, the word list. Items stay at the positions they are put at.
    // Inserts `count` items from `position` on; the view asks textAt(k) for
    // the text of the k-th of them when it needs it, so that 15,500 items
    // cost nothing until they are seen.
    virtual void insertItems(int position, int count, std::function<QString(int)> textAt) = 0;
    // The empty text for a position the list does not have; never throws.
    virtual QString itemText(int position) const = 0;
    // -1 when nothing is selected.
    virtual int selectedIndex() const = 0;
    // Selects the item and brings it into view; List1_Click has run when
    // this returns, whether or not the position changed.
    virtual void setSelectedIndex(int position) = 0;
    // The empty text when nothing is selected.
    virtual QString selectedText() const = 0;

    // Text1, the search box.
    virtual QString searchText() const = 0;

    // The entry boxes and the copy command.
    virtual void setMeaning(const QString &text) = 0;
    virtual void setWordType(const QString &text) = 0;
    virtual void setExample(const QString &text) = 0;
    virtual void setCopyCaption(const QString &caption) = 0;
    // Opens MFile as a popup menu at the mouse position.
    virtual void popupCopyMenu() = 0;

    virtual void clearClipboard() = 0;
    virtual void setClipboardText(const QString &text) = 0;
};

} // namespace velmora
