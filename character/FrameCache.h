#pragma once

#include "base/Clock.h"
#include "character/CharacterDefinition.h"

#include <QFutureWatcher>
#include <QImage>
#include <QList>
#include <QObject>
#include <QRegion>

#include <functional>
#include <optional>

namespace velmora::character {

// A character's drawings as pictures, each drawn once and kept.
//
// Drawing happens on the thread pool, one drawing at a time, so that a slow
// frame delays the character and never the GUI thread: request() asks for a
// drawing (before those drawn ahead), renderNext() queues all the others,
// and drawn() tells when one is ready. Until a drawing is ready, image()
// gives the rest pose in its place, or a blank picture before the rest pose
// itself is ready. The constructor only proves that Qt SVG reads every
// drawing: it draws nothing.
//
// The file's work limit keeps every frame quick. Should frames still be
// slow (a slow machine), drawing stops for good once one frame takes longer
// than frameMs or all of them together longer than totalMs: the frames
// drawn so far are kept, and every other drawing shows the rest pose.
// Drawing times are read from the clock given.
class FrameCache : public QObject {
    Q_OBJECT

public:
    struct TimeLimits {
        int frameMs;
        int totalMs;
    };
    static constexpr TimeLimits DefaultTimeLimits { 250, 2000 };

    // Draws one SVG document into a picture of `size` pixels at `ratio`
    // device pixels per pixel. Called on a pool thread: it must not touch
    // anything shared.
    using Drawing = std::function<QImage(const QByteArray &svg, QSize size, qreal ratio)>;
    // The drawing Qt SVG does; safe on any thread (QSvgRenderer into a QImage).
    static QImage draw(const QByteArray &svg, QSize size, qreal ratio);

    // Throws Error(CharacterError) naming the first drawing Qt SVG cannot
    // read. The pictures are drawn at `devicePixelRatio` device pixels per
    // pixel of the frame, so that they stay sharp on a scaled (HiDPI) screen;
    // a drawing whose work (CharacterDefinition::drawingWork) would go over
    // the file's limit at that ratio is drawn less finely, down to 1.
    FrameCache(const CharacterDefinition &definition, const QString &fileName,
        TimeLimits limits = DefaultTimeLimits, qreal devicePixelRatio = 1.0, Drawing drawing = draw,
        const Clock &clock = systemClock(), QObject *parent = nullptr);
    ~FrameCache() override;

    QSize size() const { return m_size; } // in pixels of the frame, whatever the ratio
    qreal devicePixelRatio() const { return m_ratio; }
    // The ratio the drawing is drawn at: devicePixelRatio(), or less for a busy drawing.
    qreal devicePixelRatio(int drawing) const { return m_ratios.at(drawing); }
    int count() const { return int(m_images.size()); }
    int restDrawing() const { return m_rest; }

    // What image() gives for the drawing is final: its own picture, or the
    // rest pose once drawing has stopped.
    bool isReady(int drawing) const;
    bool isDrawn(int drawing) const { return !m_images.at(drawing).isNull(); }
    // The drawing's picture; while it is not drawn, the rest pose or a blank picture.
    const QImage &image(int drawing) const;
    // The opaque part of image(drawing), in pixels of the frame, for windows
    // that cannot be translucent. Worked out on first use and kept.
    const QRegion &mask(int drawing) const;

    // Has the drawing drawn next, unless it is drawn or drawing has stopped.
    void request(int drawing);
    // The drawing, drawn here and now when it is not drawn yet: for tools
    // and checks that have no event loop to wait on.
    const QImage &drawNow(int drawing);
    // Queues every drawing not drawn or queued yet, to be drawn one after
    // another in the background. False when there was none left to queue.
    bool renderNext();
    // Every drawing is drawn, or drawing has stopped: nothing is left to do.
    bool isComplete() const;
    // How many drawings have been drawn so far.
    int renderedCount() const { return m_rendered; }
    // Drops what is queued and what is being drawn (it ends on its thread
    // and is thrown away); nothing is drawn any more. For unloading.
    void stop();

Q_SIGNALS:
    // The drawing is ready: from the event loop, or from within drawNow().
    void drawn(int drawing);

private:
    struct Drawn {
        QImage image;
        qint64 ns = 0;
    };
    void startNext();
    void finishDrawing();
    void keep(int drawing, const QImage &image, qint64 ns);

    QSize m_size;
    QString m_fileName;
    TimeLimits m_limits;
    const Clock *m_clock;
    qreal m_ratio = 1.0;
    Drawing m_drawing;
    QList<QByteArray> m_drawings;
    QList<qreal> m_ratios;
    int m_rest = 0;
    QList<QImage> m_images; // null until drawn
    mutable QList<std::optional<QRegion>> m_masks;
    QImage m_blank; // stands in before the rest pose is drawn
    QList<int> m_queue; // waiting for the pool, next first
    int m_inFlight = -1; // being drawn on the pool
    QFutureWatcher<Drawn> m_watcher;
    int m_rendered = 0;
    qint64 m_spentNs = 0;
    bool m_stopped = false; // too slow: only the rest pose is still drawn
    bool m_cancelled = false; // stop(): nothing is drawn
};

} // namespace velmora::character
