#pragma once

#include "agent/CharacterCommands.h"
#include "agent/CharacterRef.h"
#include "agent/SettingsStore.h"
#include "app/DicFrmView.h"
#include "base/Clock.h"
#include "base/ImmediateProgramEnd.h"
#include "character/AgentControl.h"
#include "dictionary/DictionaryLookup.h"
#include "windows/QtMessageSink.h"

#include <QWidget>

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
// buttons and Timer1 reach the character handlers (CharacterCommands), which
// drive the character control MsAgent through the two references Pat and
// Character; the chooser (ChrFrm) replaces the character through the same
// references. The title-bar close box ends the program at once.
class DicFrm : public QWidget {
    Q_OBJECT

public:
    // Where the window finds what it works with; tests point these at their
    // own folders and doubles.
    struct Services {
        QString dictionaryPath = defaultDictionaryPath();
        // Stands in for the Windows directory: its MSAgent/Chars holds the characters.
        QString windowsDirectory = character::AgentControl::windowsDirectory();
        QString settingsPath = agent::SettingsStore::defaultFilePath();
        MessageSink *messages = nullptr; // on-screen message boxes when null
        ProgramEnd *programEnd = nullptr; // ends the process when null
        Clock *clock = nullptr; // Timer1's and the characters' time; the system clock when null
        bool silent = false; // characters speak without sound
    };

    DicFrm(); // the program's own folders and on-screen services
    explicit DicFrm(Services services, QWidget *parent = nullptr);
    ~DicFrm() override;

    // Complete.dic in the folder that holds the program.
    static QString defaultDictionaryPath();

    // Loads the dictionary and shows the first entry, then loads and greets
    // the stored character or opens the chooser. Throws Error when the
    // dictionary cannot be read. Runs before the window is first shown.
    void Form_Load();
    // Sets the window icon, the theme's by that name or the built-in one:
    // call it after show(), as finding and drawing it would delay the window.
    void showWindowIcon(const QString &themeIconName);

    character::AgentControl MsAgent;
    agent::PatReference Pat;
    agent::CharacterReference Character;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Timer1_Timer();

    agent::AgentContext context();
    Clock &clock() const;
    void showChooser();

    Services m_services;
    agent::SettingsStore m_settings;
    QtMessageSink m_screenMessages;
    ImmediateProgramEnd m_processEnd;
    std::unique_ptr<agent::CharacterCommands> m_commands;
    DicFrmView::Controls m_controls {};
    std::unique_ptr<DicFrmView> m_view;
    std::unique_ptr<DictionaryLookup> m_lookup;
    ClockTimer *Timer1 = nullptr;
};

} // namespace velmora
