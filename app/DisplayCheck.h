#pragma once

#include <QString>

#include <optional>

namespace velmora::DisplayCheck {

// Why no window can open, as one line that also says how to start the
// program inside a virtual screen; none when a window can open. `platform`
// is the Qt platform asked for (-platform, else QT_QPA_PLATFORM: names
// separated by ';', each perhaps with ":options"); `display` and
// `waylandDisplay` are DISPLAY and WAYLAND_DISPLAY; `program` is how the
// user started the program.
std::optional<QString> missingDisplay(
    const QString &platform, const QString &display, const QString &waylandDisplay, const QString &program);

// The line to print when Qt could not start its platform although a display
// seemed at hand (DISPLAY names a server that does not answer): the first
// line of Qt's own message, then the same advice.
QString platformFailed(const QString &qtMessage, const QString &program);

} // namespace velmora::DisplayCheck
