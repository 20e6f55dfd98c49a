#pragma once

#include "agent/AgentContext.h"

#include <functional>

namespace velmora::agent {

// The main window's side of the speaking character: the start-up that loads
// and greets the stored character (or opens the chooser on a first run), the
// four buttons and the timer that ends the program after the farewell.
class CharacterCommands {
public:
    // What the handlers need of the windows above them.
    struct Windows {
        std::function<void()> showAbout; // modal; returns when closed
        std::function<void()> showChooser; // modal; throws Error 364 when it unloaded itself
        std::function<void()> enableTimer1; // the program ends one tick later
        std::function<QString()> listText; // the selected headword, or empty
    };

    CharacterCommands(AgentContext context, Windows windows);

    // The last step of the main window's start-up.
    void startUp();

    void Command1_Click(); // Exit
    void Command2_Click(); // About
    void Command3_Click(); // Pronounce
    void Command4_Click(); // Charactors
    void Timer1_Timer();

private:
    AgentContext m_context;
    Windows m_windows;
};

} // namespace velmora::agent
