#pragma once

#include "character/AudioOutput.h"

#include <QBuffer>
#include <QObject>

#include <memory>

class QAudioSink;

namespace velmora::agent {

// Plays speech on the default sound device through QAudioSink.
class AudioPlayer : public QObject, public AudioOutput {
    Q_OBJECT

public:
    explicit AudioPlayer(QObject *parent = nullptr);
    ~AudioPlayer() override;

    void play(const SpeechAudio &audio) override;
    void stop() override;

private:
    std::unique_ptr<QAudioSink> m_sink;
    QBuffer m_buffer;
};

} // namespace velmora::agent
