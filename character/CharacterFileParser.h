#pragma once

#include "character/CharacterDefinition.h"

#include <QByteArray>
#include <QString>

namespace velmora::character {

// Reads our character file format (see characters/README.md) into a
// CharacterDefinition. Character files are untrusted: every limit below is
// checked, and anything wrong throws Error(CharacterError) whose description
// names the file, the line and what is wrong.
class CharacterFileParser {
public:
    static constexpr qint64 MaxFileSize = 256 * 1024;
    static constexpr int MaxFrames = 300; // in all animations together
    static constexpr int MaxAnimations = 64;
    static constexpr int MaxParts = 256; // parts and poses together
    static constexpr int MaxLayersPerFrame = 64; // after poses are expanded
    static constexpr int MaxPoseNesting = 8;
    static constexpr int MinSide = 16;
    static constexpr int MaxSide = 512;
    static constexpr int MinDurationMs = 10;
    static constexpr int MaxDurationMs = 10000;
    static constexpr qint64 MaxDrawingBytes = 4 * 1024 * 1024; // all distinct frame drawings together
    // Shapes one frame draws, a <use> counting what it repeats: bounds the
    // time one frame takes to render.
    static constexpr int MaxShapesPerFrame = 1000;
    // The work of drawing one frame, as SvgGuard::Work counts it (about a
    // microsecond of drawing each at worst): shapes and segments, the length
    // of outlines, stroke widths and text, scaled by the transforms they are
    // drawn under, a <use> counting what it repeats. Calibrated with
    // bench_drawingwork on the worst cases of each kind, so that any frame
    // within it draws in well under 250 ms.
    static constexpr qint64 MaxWorkPerFrame = 100000;

    // The file at path, which must be a regular file no larger than MaxFileSize.
    static CharacterDefinition parseFile(const QString &path);
    // fileName only names the file in error descriptions.
    static CharacterDefinition parse(const QByteArray &content, const QString &fileName);
};

} // namespace velmora::character
