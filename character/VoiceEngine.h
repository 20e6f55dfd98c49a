#pragma once

#include "character/AudioOutput.h"
#include "character/SpeechAudio.h"
#include "character/Voice.h"

#include <QString>
#include <QtPlugin>

#include <functional>
#include <memory>

namespace velmora::character {

// How characters speak: synthesis into memory and a place to play it. The
// engine lives in a module loaded at run time (VoiceModule), so that the
// program starts without the speech and sound libraries.
class VoiceEngine {
public:
    virtual ~VoiceEngine() = default;

    // Speaks the text in the voice, into memory. Safe from any thread; may
    // block for a while, so callers run it off the GUI thread. Empty audio
    // when the engine cannot speak.
    virtual SpeechAudio synthesize(const QString &text, const Voice &voice) = 0;
    // Where speech is heard: the sound device. Call on the GUI thread.
    virtual std::unique_ptr<AudioOutput> createOutput() = 0;
};

// Synthesis as the characters call it, off the GUI thread.
using SpeechSynthesis = std::function<SpeechAudio(const QString &text, const Voice &voice)>;

} // namespace velmora::character

#define VelmoraVoiceEngine_iid "org.velmora.VoiceEngine/1"
Q_DECLARE_INTERFACE(velmora::character::VoiceEngine, VelmoraVoiceEngine_iid)
