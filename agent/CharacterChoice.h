#pragma once

#include "agent/AgentContext.h"
#include "agent/CharacterFileList.h"
#include "base/Error.h"

#include <functional>
#include <optional>

namespace velmora::agent {

// The character chooser's behaviour. Opening lists the character folder and
// preselects the stored position; closing, when the selected file differs
// from the stored one, replaces the character with it, greets, and stores
// the choice.
class CharacterChoice {
public:
    // `windowsDirectory` answers the Windows-directory query: the folder
    // whose MSAgent/Chars holds the character files.
    CharacterChoice(
        AgentContext context, CharacterFileList &File1, std::function<QString()> windowsDirectory);

    enum class Opening {
        Show, // show the chooser
        UnloadSelf, // no character folder: close at once; the opener sees 364
        ProgramEnded, // an unexpected failure ended the program
    };
    Opening Form_Load();
    void Form_Unload();
    // When the last closing could not store the choice: tells the user why.
    // Called once the chooser has closed, so the message stands on its own.
    void reportSaveFailure();

private:
    void restoreStoredPosition();

    AgentContext m_context;
    CharacterFileList &File1;
    std::function<QString()> m_windowsDirectory;
    QString WinDir;
    qint32 WinDirLen = 0;
    std::optional<Error> m_saveFailure;
};

} // namespace velmora::agent
