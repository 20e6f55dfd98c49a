#pragma once

#include "character/AudioOutput.h"

#include <QList>

// Test double: keeps what a character would have played instead of playing it.
class RecordingAudioOutput : public velmora::agent::AudioOutput {
public:
    struct Log {
        QList<velmora::agent::SpeechAudio> played;
        int stops = 0;
    };

    explicit RecordingAudioOutput(std::shared_ptr<Log> log)
        : m_log(std::move(log))
    {
    }

    void play(const velmora::agent::SpeechAudio &audio) override { m_log->played.append(audio); }
    void stop() override { ++m_log->stops; }

    // A factory for AgentControl::setAudioOutputFactory whose outputs all write to one log.
    static velmora::agent::AudioOutputFactory factory(std::shared_ptr<Log> log)
    {
        return [log] { return std::make_unique<RecordingAudioOutput>(log); };
    }

private:
    std::shared_ptr<Log> m_log;
};
