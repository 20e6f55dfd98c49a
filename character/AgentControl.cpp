#include "character/AgentControl.h"

#include "base/DataFolder.h"
#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "character/AgentCharacter.h"
#include "character/CharacterFileParser.h"
#include "character/CharacterFolder.h"
#include "character/FrameCache.h"
#include "character/VoiceModule.h"

#include <QGuiApplication>
#include <QtDebug>

#include <optional>

using namespace Qt::StringLiterals;

namespace velmora::character {

namespace {

Error notLoaded(const QString &id)
{
    return Error(ErrorNumber::CharacterError, u"No character is loaded under the ID \"%1\"."_s.arg(id));
}

} // namespace

AgentControl::AgentControl(QObject *parent)
    : AgentControl(windowsDirectory(), parent)
{
}

AgentControl::AgentControl(const QString &windowsDirectory, QObject *parent)
    : QObject(parent)
    , m_windowsDirectory(windowsDirectory)
    , m_synthesis([](const QString &text, const Voice &voice) {
        VoiceEngine *engine = VoiceModule::shared().engine();
        return engine ? engine->synthesize(text, voice) : SpeechAudio();
    })
    // Asked for only once a synthesis has returned sound, so the module is
    // loaded by then and the GUI thread does not wait for it.
    , m_audioFactory([]() -> std::unique_ptr<AudioOutput> {
        VoiceEngine *engine = VoiceModule::shared().engine();
        return engine ? engine->createOutput() : nullptr;
    })
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
    return CharacterFolder::under(m_windowsDirectory);
}

void AgentControl::Load(const QString &id, const QString &fileName)
{
    if (id.isEmpty())
        throw Error(ErrorNumber::CharacterError, u"A character needs an ID to be loaded under."_s);
    if (m_characters.count(id.toCaseFolded()))
        throw Error(ErrorNumber::CharacterError,
            u"A character is already loaded under the ID \"%1\"; unload it first."_s.arg(id));

    const QString path = CharacterFolder(characterFolder()).resolve(fileName);
    std::optional<CharacterDefinition> definition;
    std::unique_ptr<FrameCache> frames;
    try {
        definition = CharacterFileParser::parseFile(path);
        // As fine as the finest screen, so the character is sharp wherever it
        // goes. Only the checks happen here; the drawing is done on the pool.
        frames = std::make_unique<FrameCache>(*definition, fileName, FrameCache::DefaultTimeLimits,
            qGuiApp ? qGuiApp->devicePixelRatio() : 1.0, m_frameDrawing, *m_clock);
    } catch (const Error &e) {
        // The user sees only the error number; whoever drew the file needs
        // the line and the reason, and finds them on the terminal.
        qWarning("%s", qUtf8Printable(e.description()));
        throw;
    }
    m_characters.emplace(id.toCaseFolded(),
        std::make_shared<AgentCharacter>(
            std::move(*definition), std::move(frames), m_synthesis, m_audioFactory, *m_clock));
}

void AgentControl::Unload(const QString &id)
{
    const auto found = m_characters.find(id.toCaseFolded());
    if (found == m_characters.end())
        throw notLoaded(id);
    const std::shared_ptr<AgentCharacter> character = found->second;
    m_characters.erase(found);
    character->unload();
}

std::shared_ptr<IAgentCtlCharacter> AgentControl::Item(const QString &id)
{
    return character(id);
}

std::shared_ptr<AgentCharacter> AgentControl::character(const QString &id) const
{
    const auto found = m_characters.find(id.toCaseFolded());
    if (found == m_characters.end())
        throw notLoaded(id);
    return found->second;
}

void AgentControl::setSpeechSynthesis(SpeechSynthesis synthesis)
{
    m_synthesis = std::move(synthesis);
}

void AgentControl::setAudioOutputFactory(AudioOutputFactory factory)
{
    m_audioFactory = std::move(factory);
}

void AgentControl::setClock(Clock &clock)
{
    m_clock = &clock;
}

void AgentControl::setFrameDrawing(FrameCache::Drawing drawing)
{
    m_frameDrawing = std::move(drawing);
}

} // namespace velmora::character
