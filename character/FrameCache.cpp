#include "character/FrameCache.h"

#include "base/Error.h"
#include "base/ErrorNumbers.h"

#include <QBitmap>
#include <QPainter>
#include <QSvgRenderer>
#include <QtDebug>

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

FrameCache::FrameCache(const CharacterDefinition &definition, const QString &fileName, TimeLimits limits,
    qreal devicePixelRatio, const Clock &clock)
    : m_size(definition.frameSize)
    , m_fileName(fileName)
    , m_limits(limits)
    , m_clock(&clock)
    , m_ratio(devicePixelRatio > 0 ? devicePixelRatio : 1.0)
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
    m_images.resize(m_drawings.size());
    m_masks.resize(m_drawings.size());

    render(m_rest);
    if (m_stopped)
        throw Error(ErrorNumber::CharacterError,
            u"\"%1\" is not a valid character file: its rest pose takes more than %2 ms to draw."_s
                .arg(fileName)
                .arg(m_limits.frameMs));
}

const QImage &FrameCache::image(int drawing) const
{
    if (m_images.at(drawing).isNull()) {
        if (m_stopped)
            return m_images.at(m_rest);
        renderAndReport(drawing);
    }
    return m_images.at(drawing);
}

const QRegion &FrameCache::mask(int drawing) const
{
    std::optional<QRegion> &mask = m_masks[drawing];
    if (!mask) {
        // Window masks are in pixels of the frame: a picture drawn finer is
        // brought down to that size first.
        QImage image = this->image(drawing);
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

bool FrameCache::renderNext()
{
    for (; m_next < m_images.size() && !m_stopped; ++m_next) {
        if (m_images.at(m_next).isNull()) {
            renderAndReport(m_next);
            return true;
        }
    }
    return false;
}

bool FrameCache::isComplete() const
{
    return m_stopped || m_rendered == m_images.size();
}

void FrameCache::renderAndReport(int drawing) const
{
    render(drawing);
    if (m_stopped)
        qWarning("\"%s\": its frames take too long to draw; the frames not drawn yet show the rest pose.",
            qUtf8Printable(m_fileName));
}

void FrameCache::render(int drawing) const
{
    const std::chrono::nanoseconds started = m_clock->now();
    QSvgRenderer renderer(m_drawings.at(drawing));
    // Drawn at the screen's own resolution; the painter still works in
    // pixels of the frame.
    QImage image(m_size * m_ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(m_ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(m_size)));
    painter.end();
    m_images[drawing] = image;
    ++m_rendered;

    // The frame is drawn and kept either way; what runs over stops the next ones.
    const qint64 took = (m_clock->now() - started).count();
    m_spentNs += took;
    if (took > m_limits.frameMs * NsPerMs || m_spentNs > m_limits.totalMs * NsPerMs)
        m_stopped = true;
}

} // namespace velmora::character
