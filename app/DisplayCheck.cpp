#include "app/DisplayCheck.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace velmora::DisplayCheck {

namespace {

// Whether the named Qt platform can start with the displays at hand.
bool canStart(const QString &name, bool x11, bool wayland)
{
    if (name == u"xcb")
        return x11;
    if (name.startsWith(u"wayland"))
        return wayland;
    if (name.isEmpty())
        return x11 || wayland;
    // offscreen, minimal, vnc, linuxfb, eglfs...: they need no display
    // server, and a name Qt does not know is Qt's to report.
    return true;
}

QString advice(const QString &program)
{
    return u"start it from a desktop session, or inside a virtual screen: xvfb-run -s '-screen 0 1024x768x24' %1"_s
        .arg(program);
}

} // namespace

std::optional<QString> missingDisplay(
    const QString &platform, const QString &display, const QString &waylandDisplay, const QString &program)
{
    const bool x11 = !display.isEmpty();
    const bool wayland = !waylandDisplay.isEmpty();
    const QStringList names = platform.trimmed().isEmpty() ? QStringList { QString() } : platform.split(u';');
    for (const QString &entry : names) {
        if (canStart(entry.section(u':', 0, 0).trimmed().toLower(), x11, wayland))
            return std::nullopt;
    }
    const QString why = platform.trimmed().isEmpty()
        ? u"DISPLAY and WAYLAND_DISPLAY are not set"_s
        : u"the Qt platform \"%1\" needs a display that is not set: DISPLAY for xcb, WAYLAND_DISPLAY for wayland"_s
              .arg(platform);
    return u"velmora: no display to open the window on (%1); %2"_s.arg(why, advice(program));
}

QString platformFailed(const QString &qtMessage, const QString &program)
{
    return u"velmora: the window cannot open (%1); %2"_s.arg(
        qtMessage.section(u'\n', 0, 0).section(u'.', 0, 0).trimmed(), advice(program));
}

} // namespace velmora::DisplayCheck
