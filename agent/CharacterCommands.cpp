#include "agent/CharacterCommands.h"

#include "agent/CharacterLoading.h"
#include "agent/SettingsStore.h"
#include "base/ErrorBlock.h"
#include "base/ErrorNumbers.h"
#include "base/MessageSink.h"
#include "base/ProgramEnd.h"

namespace velmora::agent {

namespace {
QString agentNotInstalled()
{
    return QStringLiteral("Microsoft Agent Not Installed.");
}
QString errorTitle()
{
    return QStringLiteral("Error");
}
} // namespace

CharacterCommands::CharacterCommands(AgentContext context, Windows windows)
    : m_context(context)
    , m_windows(std::move(windows))
{
}

void CharacterCommands::startUp()
{
    ErrorBlock on([this](const Error &e) {
        // The control reports 0x80042003 while it sets up a stored character,
        // and 364 when the chooser closed itself; start-up goes on past both.
        if (e.number() == ErrorNumber::CharacterError || e.number() == ErrorNumber::UnloadedWhileShown)
            return ErrorBlock::Resume;
        if (e.number() == ErrorNumber::CharacterNotFound)
            m_context.messages.show(agentNotInstalled(), errorTitle());
        else
            m_context.messages.show(e.message(1));
        return ErrorBlock::EndHandler;
    });

    QString name;
    on.step([&] {
        name = m_context.settings.read(
            StoredChoice::application(), StoredChoice::section(), StoredChoice::nameKey(), QString());
    });
    if (on.ended())
        return;
    if (name.isEmpty()) {
        on.step([&] { m_windows.showChooser(); });
        return;
    }
    loadCharacter(on, m_context, name);
}

void CharacterCommands::Command1_Click()
{
    ErrorBlock on = ErrorBlock::skipEach();
    on.step([&] { m_context.Character.Stop(); });
    on.step([&] { m_context.Character.Play(QStringLiteral("Wave")); });
    on.step([&] { m_context.Character.Hide(); });
    on.step([&] { m_windows.enableTimer1(); });
}

void CharacterCommands::Command2_Click()
{
    ErrorBlock on = ErrorBlock::skipEach();
    on.step([&] { m_context.Character.Stop(); });
    on.step([&] { m_context.Character.Play(QStringLiteral("DoMagic2")); });
    on.step([&] { m_windows.showAbout(); });
}

void CharacterCommands::Command3_Click()
{
    ErrorBlock on([this](const Error &e) {
        if (e.number() == ErrorNumber::InvalidArgument)
            m_context.messages.show(QStringLiteral("Please first select word to pronounce"));
        else if (e.number() == ErrorNumber::ObjectRequired)
            m_context.messages.show(agentNotInstalled(), errorTitle());
        else
            m_context.messages.show(e.message(1));
        return ErrorBlock::EndHandler;
    });
    on.step([&] { m_context.Pat.GestureAt(1, 2); });
    on.step([&] { m_context.Pat.Show(); });
    on.step([&] { m_context.Pat.Speak(m_windows.listText()); });
}

void CharacterCommands::Command4_Click()
{
    ErrorBlock on = ErrorBlock::skipEach();
    on.step([&] { m_context.Character.Stop(); });
    on.step([&] { m_context.Character.Play(QStringLiteral("DoMagic2")); });
    on.step([&] { m_windows.showChooser(); });
}

void CharacterCommands::Timer1_Timer()
{
    m_context.programEnd.endNow();
}

} // namespace velmora::agent
