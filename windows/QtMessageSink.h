#pragma once

#include "base/MessageSink.h"

namespace velmora {

// Message boxes on screen: modal, one OK button, no icon, over the active window.
class QtMessageSink : public MessageSink {
public:
    void show(const QString &text, const QString &title = applicationTitle()) override;
};

} // namespace velmora
