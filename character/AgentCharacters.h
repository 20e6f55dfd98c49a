#pragma once

#include <QPointer>
#include <QString>

#include <memory>

namespace velmora::agent {

class AgentCharacter;
class AgentControl;

// The control's character collection, as a light handle. IDs compare
// without regard to letter case; one character per ID.
//
// Errors: Load of a name that is not a bare file name, or of a file or
// folder that is missing, throws Error(FileNotFound); a file that is not a
// valid character, an ID already loaded, and Item or Unload of an ID not
// loaded throw Error(CharacterError). A handle that outlives its control
// throws Error(CharacterError) too.
class AgentCharacters {
public:
    explicit AgentCharacters(AgentControl *control);

    // Loads the bare file name from the character folder. The character is
    // hidden until Show.
    void Load(const QString &id, const QString &fileName);
    // Unloads: the character's windows close, the ID is free again.
    void Unload(const QString &id);
    std::shared_ptr<AgentCharacter> Item(const QString &id) const;

private:
    AgentControl &control() const;

    QPointer<AgentControl> m_control;
};

} // namespace velmora::agent
