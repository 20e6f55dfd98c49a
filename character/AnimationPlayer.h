#pragma once

#include "base/Clock.h"
#include "character/CharacterDefinition.h"

#include <QObject>

namespace velmora::character {

// Steps through the frames of one animation on the event loop: one
// single-shot timer per frame, nothing ticking in between or afterwards.
class AnimationPlayer : public QObject {
    Q_OBJECT

public:
    explicit AnimationPlayer(Clock &clock = systemClock(), QObject *parent = nullptr);

    // Replaces whatever plays (without finished()) and shows the first frame
    // at once. An empty list finishes on the next turn of the event loop.
    void play(const QString &name, const QList<CharacterDefinition::Frame> &frames);
    // Ends the animation without finished().
    void stop();

    bool isPlaying() const { return !m_name.isEmpty(); }
    const QString &name() const { return m_name; }

Q_SIGNALS:
    void frameChanged(int drawing);
    void finished(const QString &name);

private:
    void advance();

    ClockTimer *m_timer;
    QString m_name;
    QList<CharacterDefinition::Frame> m_frames;
    qsizetype m_index = 0;
};

} // namespace velmora::character
