#pragma once

#include "character/Voice.h"

#include <QByteArray>
#include <QLatin1String>
#include <QList>
#include <QSize>
#include <QString>

namespace velmora::character {

// Animations every character file has; the control plays the first ones by
// itself, the callers play the last three.
namespace AnimationName {
inline constexpr QLatin1String Rest("Rest"); // first frame: the pose held between animations
inline constexpr QLatin1String Idle("Idle"); // the occasional blink
inline constexpr QLatin1String Showing("Showing");
inline constexpr QLatin1String Hiding("Hiding");
inline constexpr QLatin1String Speaking("Speaking"); // mouth shapes, closed first, widest last
inline constexpr QLatin1String GestureLeft("GestureLeft");
inline constexpr QLatin1String GestureRight("GestureRight");
inline constexpr QLatin1String GestureUp("GestureUp");
inline constexpr QLatin1String GestureDown("GestureDown");
inline constexpr QLatin1String Greet("Greet");
inline constexpr QLatin1String Wave("Wave");
inline constexpr QLatin1String DoMagic2("DoMagic2");
} // namespace AnimationName

// A checked character file: everything needed to draw, animate and voice it.
struct CharacterDefinition {
    struct Frame {
        int drawing = 0; // index into drawings
        int durationMs = 0;
    };

    struct Animation {
        QString name;
        QList<Frame> frames; // never empty
    };

    QString displayName;
    QSize frameSize;
    Voice voice;
    QList<QByteArray> drawings; // complete SVG documents, each different, each checked
    // The work of drawing each, as counted against CharacterFileParser::MaxWorkPerFrame.
    QList<qint64> drawingWork;
    // One SVG document with Defs and every part once, each part in a group of
    // its own. Every drawing is put together from these pieces alone, so Qt
    // SVG reading this one document vouches for all the drawings.
    QByteArray pieces;
    QList<Animation> animations;

    // Animation names compare without regard to letter case. nullptr when absent.
    const Animation *animation(QStringView name) const;
    static QList<QLatin1String> requiredAnimations();
};

} // namespace velmora::character
