#include "character/AgentCharacters.h"

#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "character/AgentCharacter.h"
#include "character/AgentControl.h"
#include "character/CharacterFileParser.h"
#include "character/CharacterFolder.h"
#include "character/FrameCache.h"

#include <QGuiApplication>

using namespace Qt::StringLiterals;

namespace velmora::agent {

namespace {

Error notLoaded(const QString &id)
{
    return Error(ErrorNumber::CharacterError, u"No character is loaded under the ID \"%1\"."_s.arg(id));
}

} // namespace

AgentCharacters::AgentCharacters(AgentControl *control)
    : m_control(control)
{
}

void AgentCharacters::Load(const QString &id, const QString &fileName)
{
    AgentControl &owner = control();
    if (id.isEmpty())
        throw Error(ErrorNumber::CharacterError, u"A character needs an ID to be loaded under."_s);
    if (owner.m_characters.count(id.toCaseFolded()))
        throw Error(ErrorNumber::CharacterError,
            u"A character is already loaded under the ID \"%1\"; unload it first."_s.arg(id));

    const QString path = CharacterFolder(owner.characterFolder()).resolve(fileName);
    CharacterDefinition definition = CharacterFileParser::parseFile(path);
    // As fine as the finest screen, so the character is sharp wherever it goes.
    FrameCache frames(
        definition, fileName, FrameCache::DefaultTimeLimits, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
    owner.m_characters.emplace(id.toCaseFolded(),
        std::make_shared<AgentCharacter>(std::move(definition), std::move(frames), owner.m_audioFactory));
}

void AgentCharacters::Unload(const QString &id)
{
    AgentControl &owner = control();
    const auto found = owner.m_characters.find(id.toCaseFolded());
    if (found == owner.m_characters.end())
        throw notLoaded(id);
    const std::shared_ptr<AgentCharacter> character = found->second;
    owner.m_characters.erase(found);
    character->unload();
}

std::shared_ptr<AgentCharacter> AgentCharacters::Item(const QString &id) const
{
    AgentControl &owner = control();
    const auto found = owner.m_characters.find(id.toCaseFolded());
    if (found == owner.m_characters.end())
        throw notLoaded(id);
    return found->second;
}

AgentControl &AgentCharacters::control() const
{
    if (!m_control)
        throw Error(ErrorNumber::CharacterError, u"The character control no longer exists."_s);
    return *m_control;
}

} // namespace velmora::agent
