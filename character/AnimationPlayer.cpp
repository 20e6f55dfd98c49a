#include "character/AnimationPlayer.h"

namespace velmora::character {

AnimationPlayer::AnimationPlayer(Clock &clock, QObject *parent)
    : QObject(parent)
    , m_timer(clock.createTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer); // the mouth follows the voice
    connect(m_timer, &ClockTimer::timeout, this, &AnimationPlayer::advance);
}

void AnimationPlayer::play(const QString &name, const QList<CharacterDefinition::Frame> &frames)
{
    m_name = name;
    m_frames = frames;
    m_index = 0;
    if (m_frames.isEmpty()) {
        m_timer->start(0);
        return;
    }
    Q_EMIT frameChanged(m_frames.first().drawing);
    m_timer->start(m_frames.first().durationMs);
}

void AnimationPlayer::stop()
{
    m_timer->stop();
    m_name.clear();
    m_frames.clear();
}

void AnimationPlayer::advance()
{
    if (++m_index < m_frames.size()) {
        Q_EMIT frameChanged(m_frames.at(m_index).drawing);
        m_timer->start(m_frames.at(m_index).durationMs);
        return;
    }
    const QString name = std::exchange(m_name, QString());
    m_frames.clear();
    Q_EMIT finished(name);
}

} // namespace velmora::character
