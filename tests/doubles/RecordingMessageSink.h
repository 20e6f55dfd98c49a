#pragma once

#include "base/MessageSink.h"

#include <QList>

#include <functional>

// Test double: records every message box instead of showing it.
class RecordingMessageSink : public velmora::MessageSink {
public:
    struct Box {
        QString text;
        QString title;
        bool operator==(const Box &) const = default;
    };

    void show(const QString &text, const QString &title) override
    {
        boxes.append({ text, title });
        if (onShow)
            onShow();
    }

    QList<Box> boxes;
    std::function<void()> onShow; // runs while the box would be shown
};
