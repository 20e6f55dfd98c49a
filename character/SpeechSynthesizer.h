#pragma once

#include "character/SpeechAudio.h"
#include "character/Voice.h"

#include <QString>

namespace velmora::agent {

// Speech through libespeak-ng, synthesised into memory (never played by
// espeak-ng itself, which would block and, without a sound device, fail
// silently).
class SpeechSynthesizer {
public:
    static constexpr int MaxDurationMs = 60000; // longer speech is cut off
    static constexpr qsizetype MaxTextLength = 2000;

    // Speaks the text in the voice, into memory. Blocks for the synthesis
    // (about a millisecond per word, the first call some 15 ms more to
    // start espeak-ng), so the control calls it off the GUI thread. Safe from any thread: espeak-ng is one
    // global instance, so calls take turns. An unknown voice falls back to plain English. Returns empty audio
    // when espeak-ng cannot start (no voice data).
    static SpeechAudio synthesize(const QString &text, const Voice &voice);
};

} // namespace velmora::agent
