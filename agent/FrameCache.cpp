#include "agent/FrameCache.h"

#include "base/Error.h"
#include "base/ErrorNumbers.h"

#include <QBitmap>
#include <QElapsedTimer>
#include <QPainter>
#include <QSvgRenderer>

using namespace Qt::StringLiterals;

namespace velmora::agent {

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

} // namespace

FrameCache::FrameCache(const CharacterDefinition &definition, const QString &fileName)
    : m_size(definition.frameSize)
{
    m_images.reserve(definition.drawings.size());
    QElapsedTimer clock;
    clock.start();
    for (qsizetype i = 0; i < definition.drawings.size(); ++i) {
        if (clock.hasExpired(MaxRenderMs))
            throw Error(ErrorNumber::CharacterError,
                u"\"%1\" is not a valid character file: its frames take more than %2 seconds to draw."_s
                    .arg(fileName)
                    .arg(MaxRenderMs / 1000));
        QSvgRenderer renderer(definition.drawings.at(i));
        if (!renderer.isValid())
            throw Error(ErrorNumber::CharacterError,
                u"\"%1\" is not a valid character file: the %2 cannot be drawn."_s.arg(
                    fileName, whereUsed(definition, int(i))));
        QImage image(m_size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(m_size)));
        painter.end();
        m_images.append(image);
    }
    m_masks.resize(m_images.size());
}

const QRegion &FrameCache::mask(int drawing) const
{
    std::optional<QRegion> &mask = m_masks[drawing];
    if (!mask) {
        const QImage &image = m_images.at(drawing);
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

} // namespace velmora::agent
