#include "voice/AudioPlayer.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QtDebug>

#include <utility>

namespace velmora::character {

namespace {

// Once per run: a machine without sound stays without it, and every word
// would say so again.
void reportCannotPlay(const char *why)
{
    static bool reported = false;
    if (std::exchange(reported, true))
        return;
    qWarning("Velmora: cannot play speech: %s; the character speaks without sound.", why);
}

} // namespace

AudioPlayer::AudioPlayer(QObject *parent)
    : QObject(parent)
{
}

AudioPlayer::~AudioPlayer()
{
    stop();
}

void AudioPlayer::play(const SpeechAudio &audio)
{
    stop();
    if (audio.isEmpty())
        return;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        reportCannotPlay("there is no sound output device");
        return;
    }
    QAudioFormat format;
    format.setSampleRate(audio.sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) {
        reportCannotPlay("the sound output device does not take 16-bit mono samples");
        return;
    }

    m_buffer.setData(audio.samples);
    m_buffer.open(QIODevice::ReadOnly);
    m_sink = std::make_unique<QAudioSink>(device, format);
    connect(m_sink.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        // Idle: every sample has been played.
        if (state == QAudio::IdleState && m_sink)
            m_sink->stop();
    });
    m_sink->start(&m_buffer);
    // A device that cannot be opened reports it here, and no state change follows.
    if (m_sink->error() != QAudio::NoError) {
        reportCannotPlay("the sound output device cannot be opened");
        stop();
    }
}

void AudioPlayer::stop()
{
    if (m_sink) {
        m_sink->disconnect(this);
        m_sink->stop();
        m_sink.reset();
    }
    m_buffer.close();
}

} // namespace velmora::character
