#pragma once

#include "base/Clock.h"
#include "character/CharacterDefinition.h"

#include <QImage>
#include <QList>
#include <QRegion>

#include <optional>

namespace velmora::character {

// A character's drawings as pictures, each drawn on first use and kept.
//
// Loading a character has to stay cheap, so the constructor only proves that
// Qt SVG reads every drawing and draws the rest pose, which the character
// shows first and falls back to. The other drawings are drawn when first
// shown, or ahead of time one per renderNext().
//
// The file's limits keep ordinary frames quick, but not every frame a file
// can be built to hold. So drawing stops for good once one frame takes longer
// than frameMs or all of them together longer than totalMs: the frames drawn
// so far are kept, and every other drawing shows the rest pose. Drawing
// times are read from the clock given.
class FrameCache {
public:
    struct TimeLimits {
        int frameMs;
        int totalMs;
    };
    static constexpr TimeLimits DefaultTimeLimits { 250, 2000 };

    // Throws Error(CharacterError) naming the first drawing Qt SVG cannot
    // read, or when the rest pose takes longer than limits.frameMs to draw.
    // The pictures are drawn at `devicePixelRatio` device pixels per pixel
    // of the frame, so that they stay sharp on a scaled (HiDPI) screen.
    FrameCache(const CharacterDefinition &definition, const QString &fileName,
        TimeLimits limits = DefaultTimeLimits, qreal devicePixelRatio = 1.0,
        const Clock &clock = systemClock());
    // Not copyable: a copy would share the pictures already handed out, and
    // part from them when either of the two draws again.
    FrameCache(const FrameCache &) = delete;
    FrameCache &operator=(const FrameCache &) = delete;
    FrameCache(FrameCache &&) = default;
    FrameCache &operator=(FrameCache &&) = default;

    QSize size() const { return m_size; } // in pixels of the frame, whatever the ratio
    qreal devicePixelRatio() const { return m_ratio; }
    int count() const { return int(m_images.size()); }
    // Drawn now when it has not been; once drawing has stopped, the rest pose.
    const QImage &image(int drawing) const;

    // The opaque part of a drawing, in pixels of the frame, for windows that
    // cannot be translucent.
    // Worked out on first use and kept.
    const QRegion &mask(int drawing) const;

    // Draws one drawing that has not been drawn yet. False when there was
    // none left to draw, or drawing has stopped.
    bool renderNext();
    // Every drawing is drawn, or drawing has stopped: nothing is left to do.
    bool isComplete() const;
    // How many drawings have been drawn so far.
    int renderedCount() const { return m_rendered; }

private:
    void render(int drawing) const;
    void renderAndReport(int drawing) const; // render(), and a word in the log when that stops the drawing

    QSize m_size;
    QString m_fileName;
    TimeLimits m_limits;
    const Clock *m_clock;
    qreal m_ratio = 1.0;
    QList<QByteArray> m_drawings;
    int m_rest = 0;
    int m_next = 0; // where renderNext() looks first
    mutable QList<QImage> m_images; // null until drawn
    mutable QList<std::optional<QRegion>> m_masks;
    mutable int m_rendered = 0;
    mutable qint64 m_spentNs = 0;
    mutable bool m_stopped = false;
};

} // namespace velmora::character
