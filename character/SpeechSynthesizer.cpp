#include "character/SpeechSynthesizer.h"

#include <espeak-ng/speak_lib.h>

#include <mutex>
#include <string_view>

namespace velmora::agent {

namespace {

std::mutex espeakMutex;
int sampleRate = 0; // 0: not started yet, below 0: cannot start
QString voiceName; // the voice espeak-ng has loaded: loading one takes longer than speaking a word
SpeechAudio *current = nullptr; // the speech being collected, under espeakMutex

// eSpeak phoneme names: open vowels open the mouth wide, lips close on
// p, b and m and in pauses, everything else is half open.
int openness(const char *phoneme)
{
    const std::string_view closed = "pbm_";
    const std::string_view open = "aAO0VoeE&";
    const char first = phoneme[0];
    if (first == '\0' || closed.find(first) != std::string_view::npos)
        return 0;
    return open.find(first) != std::string_view::npos ? 2 : 1;
}

int collect(short *wav, int count, espeak_EVENT *events)
{
    if (!current)
        return 1;
    if (wav && count > 0)
        current->samples.append(reinterpret_cast<const char *>(wav), count * qsizetype(sizeof(short)));
    for (espeak_EVENT *event = events; event && event->type != espeakEVENT_LIST_TERMINATED; ++event) {
        if (event->type == espeakEVENT_PHONEME) {
            char name[sizeof event->id.string + 1] = {};
            std::copy(std::begin(event->id.string), std::end(event->id.string), name);
            current->mouth.append({ event->audio_position, openness(name) });
        } else if (event->type == espeakEVENT_END) {
            // The end of a clause closes the mouth. (The message's own end
            // event carries no position, so it is no use here.)
            current->mouth.append({ event->audio_position, 0 });
        }
    }
    // Non-zero asks espeak-ng to stop: enough has been said.
    return current->durationMs() > SpeechSynthesizer::MaxDurationMs ? 1 : 0;
}

bool start()
{
    if (sampleRate == 0) {
        // SYNCHRONOUS: espeak_Synth calls back on this thread and returns
        // when done; RETRIEVAL would synthesise on a thread of its own and
        // espeak_Synchronize polls it, costing 20 ms a word.
        // DONT_EXIT: without its data espeak-ng would end the whole program.
        sampleRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr,
            espeakINITIALIZE_PHONEME_EVENTS | espeakINITIALIZE_DONT_EXIT);
        if (sampleRate > 0)
            espeak_SetSynthCallback(collect);
        else
            sampleRate = -1;
    }
    return sampleRate > 0;
}

} // namespace

SpeechAudio SpeechSynthesizer::synthesize(const QString &text, const Voice &voice)
{
    std::lock_guard lock(espeakMutex);
    SpeechAudio audio;
    if (!start())
        return audio;
    audio.sampleRate = sampleRate;

    if (voice.name != voiceName) {
        if (espeak_SetVoiceByName(voice.name.toUtf8().constData()) != EE_OK)
            espeak_SetVoiceByName("en");
        voiceName = voice.name;
    }
    espeak_SetParameter(espeakRATE, std::clamp(voice.rate, espeakRATE_MINIMUM, espeakRATE_MAXIMUM), 0);
    espeak_SetParameter(espeakPITCH, std::clamp(voice.pitch, 0, 99), 0);

    const QByteArray utf8 = text.left(MaxTextLength).toUtf8();
    current = &audio;
    espeak_Synth(
        utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    current = nullptr;
    return audio;
}

} // namespace velmora::agent
