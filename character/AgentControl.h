#pragma once

#include "base/Clock.h"
#include "character/AudioOutput.h"
#include "character/FrameCache.h"
#include "character/IAgentCtlCharacters.h"
#include "character/VoiceEngine.h"

#include <QObject>
#include <QString>

#include <map>
#include <memory>

namespace velmora::character {

class AgentCharacter;

// Our animated-character control (the main window's `MsAgent`): the
// character folder and the characters loaded from it, each under its own ID.
// The handlers reach it only as IAgentCtlCharacters. Destroying the control
// unloads every character.
class AgentControl : public QObject, public IAgentCtlCharacters {
    Q_OBJECT

public:
    explicit AgentControl(QObject *parent = nullptr); // uses windowsDirectory()
    explicit AgentControl(const QString &windowsDirectory, QObject *parent = nullptr);
    ~AgentControl() override;

    // The directory that stands in for the Windows directory: the
    // environment variable VELMORA_WINDOWS_DIR when set and not empty, else
    // the program's data folder (see base/DataFolder.h).
    static QString windowsDirectory();
    // The only place characters load from (CharacterFolder::under).
    QString characterFolder() const;

    void Load(const QString &id, const QString &fileName) override;
    void Unload(const QString &id) override;
    std::shared_ptr<IAgentCtlCharacter> Item(const QString &id) override;
    // Item, as the control's own character type.
    std::shared_ptr<AgentCharacter> character(const QString &id) const;

    // How characters loaded from now on speak. By default both come from the
    // voice module (VoiceModule), loaded when a character first speaks: its
    // synthesis, and the sound device. An empty factory keeps them silent;
    // empty synthesis leaves them moving their mouths without a voice.
    void setSpeechSynthesis(SpeechSynthesis synthesis);
    void setAudioOutputFactory(AudioOutputFactory factory);
    // The time characters loaded from now on keep: their animations, blinks
    // and balloons, and how long their drawings take. The system clock by
    // default; `clock` must outlive them and every drawing of theirs still
    // running on the thread pool.
    void setClock(Clock &clock);
    // How characters loaded from now on draw their frames, on the thread
    // pool (FrameCache::draw by default; tests hold it back).
    void setFrameDrawing(FrameCache::Drawing drawing);

private:
    QString m_windowsDirectory;
    SpeechSynthesis m_synthesis;
    AudioOutputFactory m_audioFactory;
    Clock *m_clock = &systemClock();
    FrameCache::Drawing m_frameDrawing = FrameCache::draw;
    std::map<QString, std::shared_ptr<AgentCharacter>> m_characters; // by case-folded ID
};

} // namespace velmora::character
