#pragma once

#include "dictionary/DictionaryView.h"

#include <functional>

class QLineEdit;
class QMenu;
class QAction;
class QPlainTextEdit;

namespace velmora {

class WordListBox;
class WordListModel;

// Binds the dictionary logic's view operations to the main window's controls.
class DicFrmView : public DictionaryView {
public:
    struct Controls {
        WordListBox *List1;
        WordListModel *model;
        QLineEdit *Text1;
        QPlainTextEdit *WMeaning;
        QLineEdit *WType;
        QPlainTextEdit *WExample;
        QMenu *MFile;
        QAction *MCopy;
    };

    // `List1_Click` runs on every selection, by the user or the program.
    DicFrmView(const Controls &controls, std::function<void()> List1_Click);

    void insertItems(int position, int count, std::function<QString(int)> textAt) override;
    QString itemText(int position) const override;
    int selectedIndex() const override;
    void setSelectedIndex(int position) override;
    QString selectedText() const override;
    QString searchText() const override;
    void setMeaning(const QString &text) override;
    void setWordType(const QString &text) override;
    void setExample(const QString &text) override;
    void setCopyCaption(const QString &caption) override;
    void popupCopyMenu() override;
    // The keyboard's way to the same menu: at the selected item when it is
    // in view, else at the top of the list.
    void popupCopyMenuAtSelection();
    void clearClipboard() override;
    void setClipboardText(const QString &text) override;

private:
    void selectionChanged();

    Controls m_controls;
    std::function<void()> m_List1_Click;
    bool m_selectingByProgram = false;
};

} // namespace velmora
