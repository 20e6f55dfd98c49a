#pragma once

#include "app/DicFrmView.h"
#include "dictionary/DictionaryLookup.h"

#include <QWidget>

class QTimer;
class QPushButton;

namespace velmora {

// The main window and the program's start-up object.
//
// Flow of data: Form_Load reads Complete.dic through DictionaryLookup, which
// fills the word list (List1) through DicFrmView and shows the first entry.
// Typing in the search box (Text1) runs DictionaryLookup::Text1_Change, which
// selects the first matching headword in the first letter's stretch of the
// list; every selection, by the user or the search, runs List1_Click, which
// shows that line's meaning, word type and example and renames the copy
// command. A right-button press on the list opens the copy menu. The four
// buttons and Timer1 reach the character handlers; the title-bar close box
// ends the program at once.
class DicFrm : public QWidget
{
    Q_OBJECT

public:
    explicit DicFrm(QString dictionaryPath, QWidget *parent = nullptr);
    ~DicFrm() override;

    // Complete.dic in the folder that holds the program.
    static QString defaultDictionaryPath();

    // Loads the dictionary and shows the first entry; throws Error when the
    // dictionary cannot be read. Runs before the window is first shown.
    void Form_Load();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Timer1_Timer();

    QString m_dictionaryPath;
    DicFrmView::Controls m_controls{};
    std::unique_ptr<DicFrmView> m_view;
    std::unique_ptr<DictionaryLookup> m_lookup;
    QTimer *Timer1 = nullptr;
};

} // namespace velmora
