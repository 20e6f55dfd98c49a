#include "agent/CharacterLoading.h"

#include "base/ErrorBlock.h"

namespace velmora::agent {

bool loadCharacter(ErrorBlock &on, AgentContext &context, const QString &fileName)
{
    const bool loaded = on.step([&] { context.Characters.Load(characterId(), fileName); });
    on.step([&] { context.Pat.set(context.Characters.Item(characterId())); });
    on.step([&] { context.Character.set(context.Characters.Item(characterId())); });
    on.step([&] { context.Pat.setLeft(kCharacterLeft); });
    on.step([&] { context.Pat.setTop(kCharacterTop); });
    on.step([&] { context.Pat.Show(); });
    on.step([&] { context.Character.Play(QStringLiteral("Greet")); });
    return loaded;
}

} // namespace velmora::agent
