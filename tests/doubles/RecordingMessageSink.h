#pragma once

#include "base/MessageSink.h"

#include <QList>

// Test double: records every message box instead of showing it.
class RecordingMessageSink : public velmora::MessageSink {
public:
    struct Box {
        QString text;
        QString title;
        bool operator==(const Box &) const = default;
    };

    void show(const QString &text, const QString &title) override { boxes.append({ text, title }); }

    QList<Box> boxes;
};
