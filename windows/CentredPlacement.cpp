#include "windows/CentredPlacement.h"

#include "base/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace velmora {

void placeCentred(QWidget &window, const QRect &over)
{
    QRect box = window.frameGeometry();
    box.moveCenter(over.center());
    const QScreen *screen = QGuiApplication::screenAt(over.center());
    if (!screen)
        screen = window.screen();
    if (screen)
        box = keptInside(box, screen->availableGeometry());
    window.move(box.topLeft());
}

} // namespace velmora
