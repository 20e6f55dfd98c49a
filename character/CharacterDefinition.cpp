#include "character/CharacterDefinition.h"

namespace velmora::agent {

const CharacterDefinition::Animation *CharacterDefinition::animation(QStringView name) const
{
    for (const Animation &a : animations) {
        if (name.compare(a.name, Qt::CaseInsensitive) == 0)
            return &a;
    }
    return nullptr;
}

QList<QLatin1String> CharacterDefinition::requiredAnimations()
{
    using namespace AnimationName;
    return { Rest, Idle, Showing, Hiding, Speaking, GestureLeft, GestureRight, GestureUp, GestureDown, Greet,
        Wave, DoMagic2 };
}

} // namespace velmora::agent
