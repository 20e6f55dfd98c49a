#pragma once

#include "base/Clock.h"

#include <QString>

namespace velmora::character {

// What an artist asks of a character file before putting it in the
// character folder: is it accepted, and if not, which line and why; if so,
// what it holds and how long its slowest frame takes to draw. Needs a
// QGuiApplication (drawing text needs fonts), but no display. Drawing times
// are read from `clock`.
struct CharacterCheck {
    bool accepted = false;
    // Refused: the reason with the file and line. Accepted: a short summary
    // of name, size, animations, frames, the slowest frame's drawing time and
    // the most work one frame takes, against the limit.
    QString report;

    static CharacterCheck run(const QString &path, const Clock &clock = systemClock());
};

} // namespace velmora::character
