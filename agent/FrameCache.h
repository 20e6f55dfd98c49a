#pragma once

#include "agent/CharacterDefinition.h"

#include <QImage>
#include <QList>
#include <QRegion>

#include <optional>

namespace velmora::agent {

// Every drawing of a character, rendered once when the character loads.
// Rendering them all at load also proves that Qt SVG can read each one, so
// a broken drawing fails the load rather than a later animation.
class FrameCache {
public:
    // The file's limits bound each frame; this bounds them all together, so
    // that a file built to be slow cannot freeze the program for long.
    static constexpr int MaxRenderMs = 2000;

    // Throws Error(CharacterError) naming the first frame Qt SVG cannot
    // read, or when rendering takes more than MaxRenderMs.
    FrameCache(const CharacterDefinition &definition, const QString &fileName);

    QSize size() const { return m_size; }
    int count() const { return int(m_images.size()); }
    const QImage &image(int drawing) const { return m_images.at(drawing); }

    // The opaque part of a drawing, for windows that cannot be translucent.
    // Worked out on first use and kept.
    const QRegion &mask(int drawing) const;

private:
    QSize m_size;
    QList<QImage> m_images;
    mutable QList<std::optional<QRegion>> m_masks;
};

} // namespace velmora::agent
