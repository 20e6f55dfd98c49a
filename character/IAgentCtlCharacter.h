#pragma once

#include <QString>

namespace velmora::character {

// One loaded character, as the handlers reach it through the control's
// collection (IAgentCtlCharacters::Item).
//
// Every call returns at once; animations and speech play out afterwards on
// the event loop, one request after the other, and nothing waits for them.
// Stop drops the running and queued requests, so that the next Play starts
// at once. Left and Top are screen pixels.
//
// Errors (base/Error.h): every call on a character that has been unloaded
// throws CharacterError; Play of an animation the character lacks throws
// UnknownAnimation; Speak of the empty text throws InvalidArgument. An
// invalid call queues nothing.
class IAgentCtlCharacter {
public:
    virtual ~IAgentCtlCharacter() = default;

    virtual void setLeft(int left) = 0;
    virtual void setTop(int top) = 0;
    virtual int left() const = 0;
    virtual int top() const = 0;

    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void Play(const QString &animation) = 0;
    virtual void Stop() = 0;
    // Gestures towards the screen point.
    virtual void GestureAt(int x, int y) = 0;
    virtual void Speak(const QString &text) = 0;
};

} // namespace velmora::character
