#pragma once

#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "character/IAgentCtlCharacter.h"

#include <QStringList>

// Test double: a loaded character that records the calls made on it
// ("Left 610", "Show", "Play Greet"...) instead of drawing and speaking, and
// fails the way the control's characters do.
class FakeCharacter : public velmora::character::IAgentCtlCharacter {
public:
    explicit FakeCharacter(QString fileName)
        : fileName(std::move(fileName))
    {
    }

    void setLeft(int left) override
    {
        record(QString("Left %1").arg(left));
        m_left = left;
    }
    void setTop(int top) override
    {
        record(QString("Top %1").arg(top));
        m_top = top;
    }
    int left() const override { return check(), m_left; }
    int top() const override { return check(), m_top; }
    void Show() override { record(QString("Show")); }
    void Hide() override { record(QString("Hide")); }
    void Play(const QString &animation) override
    {
        check();
        if (!QStringList({ "Greet", "Wave", "DoMagic2" }).contains(animation, Qt::CaseInsensitive))
            throw velmora::Error(velmora::ErrorNumber::UnknownAnimation, QString("No such animation."));
        record(QString("Play ") + animation);
    }
    void Stop() override { record(QString("Stop")); }
    void GestureAt(int x, int y) override { record(QString("GestureAt %1 %2").arg(x).arg(y)); }
    void Speak(const QString &text) override
    {
        check();
        if (text.isEmpty())
            throw velmora::Error(
                velmora::ErrorNumber::InvalidArgument, QString("There is no text to speak."));
        record(QString("Speak ") + text);
    }

    const QString fileName;
    QStringList calls;
    bool unloaded = false;

private:
    void check() const
    {
        if (unloaded)
            throw velmora::Error(
                velmora::ErrorNumber::CharacterError, QString("The character has been unloaded."));
    }
    void record(const QString &call)
    {
        check();
        calls.append(call);
    }

    int m_left = 0;
    int m_top = 0;
};
