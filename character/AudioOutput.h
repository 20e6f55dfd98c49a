#pragma once

#include "character/SpeechAudio.h"

#include <functional>
#include <memory>

namespace velmora::character {

// Where a character's speech is heard. The seam lets tests and machines
// without sound replace the sound device.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Starts playing and returns at once; replaces whatever plays. Not being
    // able to play (no sound device) is not an error: nothing is heard, and
    // the first such failure of the run is written to standard error.
    virtual void play(const SpeechAudio &audio) = 0;
    virtual void stop() = 0;
};

using AudioOutputFactory = std::function<std::unique_ptr<AudioOutput>()>;

} // namespace velmora::character
