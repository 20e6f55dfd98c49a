#include "character/AgentControl.h"

#include "character/AgentCharacter.h"
#include "character/AudioPlayer.h"
#include "base/DataFolder.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace velmora::agent {

AgentControl::AgentControl(QObject *parent)
    : AgentControl(windowsDirectory(), parent)
{
}

AgentControl::AgentControl(const QString &windowsDirectory, QObject *parent)
    : QObject(parent)
    , m_windowsDirectory(windowsDirectory)
    , m_audioFactory([] { return std::make_unique<AudioPlayer>(); })
{
}

AgentControl::~AgentControl()
{
    // Callers may still hold characters; they stay objects, but unloaded.
    for (auto &[id, character] : m_characters)
        character->unload();
}

QString AgentControl::windowsDirectory()
{
    return dataFolders().windows;
}

QString AgentControl::characterFolder() const
{
    return QDir(m_windowsDirectory).filePath(u"MSAgent/Chars"_s);
}

AgentCharacters AgentControl::Characters()
{
    return AgentCharacters(this);
}

void AgentControl::setAudioOutputFactory(AudioOutputFactory factory)
{
    m_audioFactory = std::move(factory);
}

} // namespace velmora::agent
