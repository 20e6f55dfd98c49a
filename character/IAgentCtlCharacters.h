#pragma once

#include "character/IAgentCtlCharacter.h"

#include <QString>

#include <memory>

namespace velmora::character {

// The character control as the handlers in agent/ see it: its character
// collection. This is the one way the handlers reach the control, so that
// they build and test without the windowing toolkit.
//
// IDs compare without regard to letter case; one character per ID. Load
// takes a bare file name and finds it in the control's character folder
// (CharacterFolder); the character stays hidden until Show.
//
// Errors (base/Error.h): Load of a name that is not a bare file name, or of
// a file or folder that is missing, throws CharacterNotFound; a file that is not
// a valid character and an ID already loaded throw CharacterError, and so do
// Item and Unload of an ID that is not loaded. A failed Load leaves the
// collection as it was.
class IAgentCtlCharacters {
public:
    virtual ~IAgentCtlCharacters() = default;

    virtual void Load(const QString &id, const QString &fileName) = 0;
    // The character's windows close and the ID is free again. Callers may
    // still hold the character: every call on it then fails.
    virtual void Unload(const QString &id) = 0;
    virtual std::shared_ptr<IAgentCtlCharacter> Item(const QString &id) = 0;
};

} // namespace velmora::character
