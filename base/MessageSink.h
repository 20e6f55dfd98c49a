#pragma once

#include <QString>

namespace velmora {

// The title a message box shows when it is given none.
inline QString applicationTitle()
{
    return QStringLiteral("Dictionary");
}

// Seam for the program's message boxes: modal, one OK button, no icon.
// show() returns when the user has dismissed the box.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const QString &text, const QString &title = applicationTitle()) = 0;
};

} // namespace velmora
