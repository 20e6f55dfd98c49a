#pragma once

#include "character/FrameCache.h"

#include <QSemaphore>
#include <QThread>

#include <atomic>
#include <memory>

// Test double: draws frames as Qt SVG does, but holds every drawing back on
// its thread until the test releases it, so that a test can look at the
// GUI thread while a frame "takes long". Counts the drawings begun and
// notes whether any ran on the thread that made it.
class HeldFrameDrawing {
public:
    static std::shared_ptr<HeldFrameDrawing> make() { return std::make_shared<HeldFrameDrawing>(); }

    // For FrameCache or AgentControl::setFrameDrawing.
    static velmora::character::FrameCache::Drawing drawing(const std::shared_ptr<HeldFrameDrawing> &self)
    {
        return [self](const QByteArray &svg, QSize size, qreal ratio) {
            ++self->started;
            if (QThread::currentThread() == self->m_home)
                self->offTheHomeThread = false;
            // Never forever: a drawing on the GUI thread would hang the test.
            self->m_open.tryAcquire(1, 10000);
            return velmora::character::FrameCache::draw(svg, size, ratio);
        };
    }

    void release(int drawings = 1000) { m_open.release(drawings); }
    void holdAgain() { m_open.acquire(m_open.available()); }

    std::atomic<int> started { 0 };
    std::atomic<bool> offTheHomeThread { true };

private:
    QSemaphore m_open;
    QThread *m_home = QThread::currentThread();
};
