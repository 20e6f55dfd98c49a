#pragma once

#include "character/VoiceEngine.h"

#include <QObject>

namespace velmora::character {

// The voice module's engine: libespeak-ng for synthesis, the default sound
// device through Qt Multimedia for playing.
class EspeakVoiceEngine : public QObject, public VoiceEngine {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VelmoraVoiceEngine_iid)
    Q_INTERFACES(velmora::character::VoiceEngine)

public:
    SpeechAudio synthesize(const QString &text, const Voice &voice) override;
    std::unique_ptr<AudioOutput> createOutput() override;
};

} // namespace velmora::character
