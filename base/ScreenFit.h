#pragma once

#include <QRect>

namespace velmora {

// Where a window of `box`'s size goes so that the whole of it lies inside
// `area` (a screen's available area): `box` itself when it fits, otherwise
// moved the least distance that brings it inside. A box larger than the
// area keeps its top-left corner inside it, so the title bar stays in reach.
QRect keptInside(const QRect &box, const QRect &area);

} // namespace velmora
