#pragma once

#include "character/AgentCharacters.h"
#include "character/AudioOutput.h"

#include <QObject>
#include <QString>

#include <map>
#include <memory>

namespace velmora::agent {

class AgentCharacter;

// Our animated-character control (the main window's `MsAgent`): the
// character folder and the characters loaded from it, each under its own ID.
// Characters() hands out a light handle onto the collection; read it afresh
// at each use. Destroying the control unloads every character.
class AgentControl : public QObject {
    Q_OBJECT

public:
    explicit AgentControl(QObject *parent = nullptr); // uses windowsDirectory()
    explicit AgentControl(const QString &windowsDirectory, QObject *parent = nullptr);
    ~AgentControl() override;

    // The directory that stands in for the Windows directory: the
    // environment variable VELMORA_WINDOWS_DIR when set and not empty, else
    // the program's data folder (see base/DataFolder.h).
    static QString windowsDirectory();
    // <windowsDirectory>/MSAgent/Chars: the only place characters load from.
    QString characterFolder() const;

    AgentCharacters Characters();

    // Where characters loaded from now on speak; by default the sound device
    // through AudioPlayer. An empty factory keeps them silent.
    void setAudioOutputFactory(AudioOutputFactory factory);

private:
    friend class AgentCharacters;

    QString m_windowsDirectory;
    AudioOutputFactory m_audioFactory;
    std::map<QString, std::shared_ptr<AgentCharacter>> m_characters; // by case-folded ID
};

} // namespace velmora::agent
