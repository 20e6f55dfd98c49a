#pragma once

#include <QRect>

class QWidget;

namespace velmora {

// Moves a window so that it is centred over `over` (screen coordinates),
// then into the available area of the screen that holds that centre, so a
// small screen or an owner near its edge never puts part of it out of reach.
void placeCentred(QWidget &window, const QRect &over);

} // namespace velmora
