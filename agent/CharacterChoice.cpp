#include "agent/CharacterChoice.h"

#include "agent/CharacterLoading.h"
#include "agent/SettingsStore.h"
#include "base/ErrorBlock.h"
#include "base/ErrorNumbers.h"
#include "base/MessageSink.h"
#include "base/ProgramEnd.h"
#include "character/CharacterFolder.h"

namespace velmora::agent {

CharacterChoice::CharacterChoice(
    AgentContext context, CharacterFileList &list, std::function<QString()> windowsDirectory)
    : m_context(context)
    , File1(list)
    , m_windowsDirectory(std::move(windowsDirectory))
{
}

CharacterChoice::Opening CharacterChoice::Form_Load()
{
    Opening opening = Opening::Show;
    ErrorBlock on([&](const Error &e) {
        if (e.number() == ErrorNumber::PathNotFound) {
            m_context.messages.show(
                QStringLiteral("Microsoft Agent Not Installed."), QStringLiteral("Error"));
            opening = Opening::UnloadSelf;
        } else {
            m_context.messages.show(e.message(2), QStringLiteral("Error"));
            opening = Opening::ProgramEnded;
            m_context.programEnd.endNow();
        }
        return ErrorBlock::EndHandler;
    });
    on.step([&] {
        WinDir = m_windowsDirectory();
        WinDirLen = qint32(WinDir.size());
        WinDir = WinDir.left(WinDirLen);
    });
    on.step([&] { File1.setFolder(character::CharacterFolder::under(WinDir)); });
    on.step([&] { restoreStoredPosition(); });
    if (!on.ended() && !m_context.Character.isEmpty()) {
        // A stale reference (its character could not be replaced last time)
        // must not end the program: the stop is skipped.
        ErrorBlock::skipEach().step([&] { m_context.Character.Stop(); });
    }
    return opening;
}

void CharacterChoice::restoreStoredPosition()
{
    const QString stored = m_context.settings.read(
        StoredChoice::application(), StoredChoice::section(), StoredChoice::indexKey(), QStringLiteral("0"));
    // A position the list no longer has (files removed, a hand-edited or
    // damaged value) opens the chooser with nothing selected instead of
    // ending the program.
    bool isNumber = false;
    const short position = stored.toShort(&isNumber);
    try {
        File1.setSelectedIndex(isNumber ? position : -1);
    } catch (const Error &) {
        File1.setSelectedIndex(-1);
    }
}

void CharacterChoice::Form_Unload()
{
    m_saveFailure.reset();
    // Closing with nothing selected keeps the character and the stored choice.
    if (File1.selectedIndex() < 0)
        return;

    ErrorBlock on = ErrorBlock::skipEach();
    bool differs = true;
    on.step([&] {
        const QString stored = m_context.settings.read(
            StoredChoice::application(), StoredChoice::section(), StoredChoice::nameKey(), QString());
        differs = File1.itemText(File1.selectedIndex()) != stored;
    });
    if (!differs)
        return;

    on.step([&] { m_context.Characters.Unload(characterId()); });
    // A file the control cannot load is not stored, so the next start does
    // not fail on it again.
    if (!loadCharacter(on, m_context, File1.itemText(File1.selectedIndex())))
        return;
    // Name and position go to the file together: a crash or a full disk
    // cannot leave a name stored with another file's position.
    try {
        m_context.settings.write(StoredChoice::application(), StoredChoice::section(),
            { { StoredChoice::nameKey(), File1.itemText(File1.selectedIndex()) },
                { StoredChoice::indexKey(), QString::number(File1.selectedIndex()) } });
    } catch (const Error &e) {
        m_saveFailure = e;
    }
}

void CharacterChoice::reportSaveFailure()
{
    if (!m_saveFailure)
        return;
    const Error failure = *std::exchange(m_saveFailure, std::nullopt);
    m_context.messages.show(
        QStringLiteral("The character you chose is used now, but your choice could not be saved "
                       "for the next start.\n\n%1.")
            .arg(failure.description()));
}

} // namespace velmora::agent
