#include "character/FrameCache.h"

#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "character/CharacterFileParser.h"

#include <QBitmap>
#include <QPainter>
#include <QPromise>
#include <QSvgRenderer>
#include <QThreadPool>
#include <QtDebug>

#include <cmath>

using namespace Qt::StringLiterals;

namespace velmora::character {

namespace {

// "the frame 3 of "Wave"": where a drawing is first used, for error descriptions.
QString whereUsed(const CharacterDefinition &definition, int drawing)
{
    for (const CharacterDefinition::Animation &animation : definition.animations) {
        for (qsizetype i = 0; i < animation.frames.size(); ++i) {
            if (animation.frames.at(i).drawing == drawing)
                return u"frame %1 of the animation \"%2\""_s.arg(i + 1).arg(animation.name);
        }
    }
    return u"drawing %1"_s.arg(drawing + 1);
}

constexpr qint64 NsPerMs = 1000 * 1000;

} // namespace

QImage FrameCache::draw(const QByteArray &svg, QSize size, qreal ratio)
{
    // A renderer of its own: QSvgRenderer is not shared between threads.
    QSvgRenderer renderer(svg);
    // Drawn at the screen's own resolution; the painter still works in
    // pixels of the frame.
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

FrameCache::FrameCache(const CharacterDefinition &definition, const QString &fileName, TimeLimits limits,
    qreal devicePixelRatio, Drawing drawing, const Clock &clock, QObject *parent)
    : QObject(parent)
    , m_size(definition.frameSize)
    , m_fileName(fileName)
    , m_limits(limits)
    , m_clock(&clock)
    , m_ratio(devicePixelRatio > 0 ? devicePixelRatio : 1.0)
    , m_drawing(drawing ? std::move(drawing) : Drawing(draw))
    , m_drawings(definition.drawings)
    , m_rest(definition.animation(QString(AnimationName::Rest))->frames.first().drawing)
{
    // A drawing Qt SVG cannot read should fail the load, not a later
    // animation. Reading the pieces all drawings are made of once costs a
    // fraction of reading every drawing; only when that fails are the
    // drawings read one by one, to name the one that cannot be drawn.
    if (!QSvgRenderer(definition.pieces).isValid()) {
        for (qsizetype i = 0; i < m_drawings.size(); ++i) {
            if (!QSvgRenderer(m_drawings.at(i)).isValid())
                throw Error(ErrorNumber::CharacterError,
                    u"\"%1\" is not a valid character file: the %2 cannot be drawn."_s.arg(
                        fileName, whereUsed(definition, int(i))));
        }
    }
    // Drawing finer multiplies the work by about the square of the ratio.
    for (qsizetype i = 0; i < m_drawings.size(); ++i) {
        const double work = double(std::max<qint64>(definition.drawingWork.value(i), 1));
        const double most = double(CharacterFileParser::MaxWorkPerFrame);
        m_ratios.append(work * m_ratio * m_ratio <= most ? m_ratio : std::max(1.0, std::sqrt(most / work)));
    }
    m_images.resize(m_drawings.size());
    m_masks.resize(m_drawings.size());
    m_blank = QImage(m_size * m_ratio, QImage::Format_ARGB32_Premultiplied);
    m_blank.setDevicePixelRatio(m_ratio);
    m_blank.fill(Qt::transparent);
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &FrameCache::finishDrawing);
}

FrameCache::~FrameCache()
{
    stop();
}

bool FrameCache::isReady(int drawing) const
{
    return isDrawn(drawing) || (m_stopped && isDrawn(m_rest));
}

const QImage &FrameCache::image(int drawing) const
{
    if (isDrawn(drawing))
        return m_images.at(drawing);
    return isDrawn(m_rest) ? m_images.at(m_rest) : m_blank;
}

const QRegion &FrameCache::mask(int drawing) const
{
    if (!isDrawn(drawing)) {
        static const QRegion none;
        return isDrawn(m_rest) ? mask(m_rest) : none;
    }
    std::optional<QRegion> &mask = m_masks[drawing];
    if (!mask) {
        // Window masks are in pixels of the frame: a picture drawn finer is
        // brought down to that size first.
        QImage image = m_images.at(drawing);
        if (image.size() != m_size)
            image = image.scaled(m_size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QImage alpha = image.convertToFormat(QImage::Format_Alpha8);
        // Half-covered edge pixels count as inside: without translucency
        // the outline would otherwise look eaten away.
        QImage bits(image.size(), QImage::Format_Mono);
        bits.setColorTable({ qRgb(255, 255, 255), qRgb(0, 0, 0) }); // 1 is color1: inside
        bits.fill(0);
        for (int y = 0; y < alpha.height(); ++y) {
            const uchar *row = alpha.constScanLine(y);
            for (int x = 0; x < alpha.width(); ++x) {
                if (row[x] >= 96)
                    bits.setPixel(x, y, 1);
            }
        }
        mask = QRegion(QBitmap::fromImage(bits));
    }
    return *mask;
}

void FrameCache::request(int drawing)
{
    if (isDrawn(drawing) || drawing == m_inFlight || m_cancelled || (m_stopped && drawing != m_rest))
        return;
    m_queue.removeAll(drawing);
    m_queue.prepend(drawing);
    startNext();
}

const QImage &FrameCache::drawNow(int drawing)
{
    if (!isDrawn(drawing) && !(m_stopped && drawing != m_rest)) {
        const std::chrono::nanoseconds started = m_clock->now();
        const QImage image = m_drawing(m_drawings.at(drawing), m_size, m_ratios.at(drawing));
        keep(drawing, image, (m_clock->now() - started).count());
    }
    return image(drawing);
}

bool FrameCache::renderNext()
{
    if (m_stopped || m_cancelled)
        return false;
    bool queued = false;
    for (int i = 0; i < count(); ++i) {
        if (!isDrawn(i) && i != m_inFlight && !m_queue.contains(i)) {
            m_queue.append(i);
            queued = true;
        }
    }
    startNext();
    return queued;
}

bool FrameCache::isComplete() const
{
    return m_stopped || m_rendered == m_images.size();
}

void FrameCache::stop()
{
    m_cancelled = true;
    m_queue.clear();
    m_inFlight = -1;
    // The drawing on the pool holds copies only; its picture goes nowhere.
    m_watcher.disconnect(this);
}

void FrameCache::startNext()
{
    if (m_inFlight >= 0 || m_cancelled)
        return;
    while (!m_queue.isEmpty()) {
        const int drawing = m_queue.takeFirst();
        if (isDrawn(drawing) || (m_stopped && drawing != m_rest))
            continue;
        m_inFlight = drawing;
        auto promise = std::make_shared<QPromise<Drawn>>();
        promise->start();
        m_watcher.setFuture(promise->future());
        // The clock may be read from any thread.
        QThreadPool::globalInstance()->start(
            [promise, draw = m_drawing, svg = m_drawings.at(drawing), size = m_size,
                ratio = m_ratios.at(drawing), clock = m_clock] {
                const std::chrono::nanoseconds started = clock->now();
                QImage image = draw(svg, size, ratio);
                promise->addResult(Drawn { std::move(image), (clock->now() - started).count() });
                promise->finish();
            });
        return;
    }
}

void FrameCache::finishDrawing()
{
    const int drawing = std::exchange(m_inFlight, -1);
    if (drawing < 0 || m_cancelled)
        return;
    if (m_watcher.future().resultCount() > 0) {
        const Drawn result = m_watcher.result();
        keep(drawing, result.image, result.ns);
    }
    startNext();
}

void FrameCache::keep(int drawing, const QImage &image, qint64 ns)
{
    if (isDrawn(drawing))
        return; // drawn meanwhile by drawNow()
    m_images[drawing] = image.isNull() ? m_blank.copy() : image;
    ++m_rendered;

    // The frame is kept either way; what runs over stops the next ones.
    m_spentNs += ns;
    if (!m_stopped && (ns > m_limits.frameMs * NsPerMs || m_spentNs > m_limits.totalMs * NsPerMs)) {
        m_stopped = true;
        m_queue.removeIf([this](int queued) { return queued != m_rest; });
        qWarning("\"%s\": its frames take too long to draw; the frames not drawn yet show the rest pose.",
            qUtf8Printable(m_fileName));
    }
    Q_EMIT drawn(drawing);
}

} // namespace velmora::character
