#include "voice/EspeakVoiceEngine.h"

#include "voice/AudioPlayer.h"
#include "voice/SpeechSynthesizer.h"

namespace velmora::character {

SpeechAudio EspeakVoiceEngine::synthesize(const QString &text, const Voice &voice)
{
    return SpeechSynthesizer::synthesize(text, voice);
}

std::unique_ptr<AudioOutput> EspeakVoiceEngine::createOutput()
{
    return std::make_unique<AudioPlayer>();
}

} // namespace velmora::character
