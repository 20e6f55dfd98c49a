#pragma once

#include <QByteArray>
#include <QList>

namespace velmora::agent {

// Speech synthesised into memory, with the mouth shapes that go with it.
struct SpeechAudio {
    struct MouthCue {
        int atMs = 0;
        int openness = 0; // 0 closed, 1 half open, 2 wide open
    };

    QByteArray samples; // signed 16-bit mono, native byte order
    int sampleRate = 0;
    QList<MouthCue> mouth; // in time order

    qsizetype sampleCount() const { return samples.size() / qsizetype(sizeof(qint16)); }
    int durationMs() const { return sampleRate > 0 ? int(sampleCount() * 1000 / sampleRate) : 0; }
    bool isEmpty() const { return samples.isEmpty(); }
};

} // namespace velmora::agent
