#include "base/ScreenFit.h"

#include <algorithm>

namespace velmora {

QRect keptInside(const QRect &box, const QRect &area)
{
    if (area.isEmpty())
        return box;
    // The far edge first, then the near one: when the box is larger than the
    // area, the near edge wins.
    const int left = std::max(std::min(box.left(), area.right() + 1 - box.width()), area.left());
    const int top = std::max(std::min(box.top(), area.bottom() + 1 - box.height()), area.top());
    return QRect(QPoint(left, top), box.size());
}

} // namespace velmora
