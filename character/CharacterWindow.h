#pragma once

#include "character/FrameCache.h"

#include <QPoint>
#include <QWidget>

#include <optional>

namespace velmora::character {

// The character on screen: a frameless, always-on-top tool window (no
// taskbar entry, never takes the keyboard focus) that shows one drawing and
// lets the user drag it about. A drawing not drawn yet shows as the frame
// cache stands it in, and the window repaints when it arrives.
class CharacterWindow : public QWidget {
    Q_OBJECT

public:
    explicit CharacterWindow(FrameCache &frames);

    void showDrawing(int drawing);
    int drawing() const { return m_drawing; }

Q_SIGNALS:
    // The window's top-left corner moved, by a drag or by the program.
    void moved(QPoint topLeft);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void applyMask();

    FrameCache &m_frames;
    int m_drawing = 0;
    bool m_masked = true;
    std::optional<QPoint> m_grab; // where in the window the drag took hold
};

} // namespace velmora::character
