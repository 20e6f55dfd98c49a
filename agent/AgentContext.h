#pragma once

#include "character/AgentControl.h"
#include "agent/CharacterRef.h"

namespace velmora {
class MessageSink;
class ProgramEnd;
} // namespace velmora

namespace velmora::agent {

class SettingsStore;

// What the character handlers reach of the main window: its control, its two
// references to the one loaded character, and the program's services.
struct AgentContext
{
    AgentControl &MsAgent;
    PatReference &Pat;
    CharacterReference &Character;
    SettingsStore &settings;
    MessageSink &messages;
    ProgramEnd &programEnd;
};

// The stored choice: application "Dic", section "ChID".
namespace StoredChoice {
inline QString application() { return QStringLiteral("Dic"); }
inline QString section() { return QStringLiteral("ChID"); }
inline QString nameKey() { return QStringLiteral("Name"); }
inline QString indexKey() { return QStringLiteral("LIndex"); }
} // namespace StoredChoice

// The character ID, and where a loaded character stands on the screen.
inline QString characterId() { return QStringLiteral("Pat"); }
constexpr int kCharacterLeft = 610;
constexpr int kCharacterTop = 50;

} // namespace velmora::agent
