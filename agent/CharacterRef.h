#pragma once

#include "character/AgentCharacter.h"
#include "base/Error.h"
#include "base/ErrorNumbers.h"

#include <memory>

namespace velmora::agent {

// A reference to a loaded character, or to nothing. Every operation through
// an empty reference throws Error(EmptyError) with the run-time's wording;
// through a reference to an unloaded character, the character's own error.
// The main window holds two: `Pat`, used by name, and `Character`, typed;
// they differ only in the error an empty one gives.
template <qint32 EmptyError> class CharacterRef {
public:
    CharacterRef() = default;

    void set(std::shared_ptr<AgentCharacter> character) { m_character = std::move(character); }
    void clear() { m_character.reset(); }
    bool isEmpty() const { return !m_character; }
    const std::shared_ptr<AgentCharacter> &get() const { return m_character; }

    void setLeft(int left) { target().setLeft(left); }
    void setTop(int top) { target().setTop(top); }
    int left() const { return target().left(); }
    int top() const { return target().top(); }
    void Show() { target().Show(); }
    void Hide() { target().Hide(); }
    void Play(const QString &animation) { target().Play(animation); }
    void Stop() { target().Stop(); }
    void GestureAt(int x, int y) { target().GestureAt(x, y); }
    void Speak(const QString &text) { target().Speak(text); }

    static QString emptyDescription()
    {
        if constexpr (EmptyError == ErrorNumber::ObjectRequired)
            return QStringLiteral("Object required");
        else if constexpr (EmptyError == ErrorNumber::ObjectNotSet)
            return QStringLiteral("Object variable or With block variable not set");
        else
            static_assert(EmptyError == ErrorNumber::ObjectRequired, "no description for this number");
    }

private:
    AgentCharacter &target() const
    {
        if (!m_character)
            throw Error(EmptyError, emptyDescription());
        return *m_character;
    }

    std::shared_ptr<AgentCharacter> m_character;
};

// Used by name: operations through an empty one fail with 424.
using PatReference = CharacterRef<ErrorNumber::ObjectRequired>;
// Typed: operations through an empty one fail with 91.
using CharacterReference = CharacterRef<ErrorNumber::ObjectNotSet>;

} // namespace velmora::agent
