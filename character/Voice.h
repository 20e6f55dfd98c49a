#pragma once

#include <QString>

namespace velmora::agent {

// How a character sounds: an espeak-ng voice name (a language, optionally
// with a "+variant") and its pitch and speed.
struct Voice {
    QString name = QStringLiteral("en");
    int pitch = 50; // 0 to 99, 50 is the voice's own
    int rate = 175; // words per minute, 80 to 450
};

} // namespace velmora::agent
