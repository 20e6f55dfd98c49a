#include "character/CharacterWindow.h"

#include "character/CompositorProbe.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace velmora::character {

CharacterWindow::CharacterWindow(FrameCache &frames)
    : QWidget(nullptr,
        Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint
            | Qt::WindowDoesNotAcceptFocus)
    , m_frames(frames)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(frames.size());
    setCursor(Qt::OpenHandCursor);
    connect(&m_frames, &FrameCache::drawn, this, [this](int drawing) {
        // The rest pose stands in for drawings not drawn yet: it may change them all.
        if (drawing == m_drawing || drawing == m_frames.restDrawing()) {
            if (isVisible())
                applyMask();
            update();
        }
    });
}

void CharacterWindow::showDrawing(int drawing)
{
    if (drawing == m_drawing)
        return;
    m_drawing = drawing;
    m_frames.request(drawing);
    // A hidden window gets its mask when it shows.
    if (isVisible())
        applyMask();
    update();
}

void CharacterWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, m_frames.image(m_drawing));
}

void CharacterWindow::showEvent(QShowEvent *event)
{
    m_masked = !CompositorProbe::isCompositing();
    applyMask();
    QWidget::showEvent(event);
}

void CharacterWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    Q_EMIT moved(pos());
}

void CharacterWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The window manager moves the window best where it can; without one
    // (or where it declines) the window follows the mouse itself.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    m_grab = event->globalPosition().toPoint() - pos();
    setCursor(Qt::ClosedHandCursor);
}

void CharacterWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_grab && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - *m_grab);
}

void CharacterWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_grab) {
        m_grab.reset();
        setCursor(Qt::OpenHandCursor);
    }
}

void CharacterWindow::applyMask()
{
    // An empty region would lift the mask and bare the whole window, so a
    // blank frame keeps one pixel.
    if (m_masked)
        setMask(m_frames.mask(m_drawing).isEmpty() ? QRegion(0, 0, 1, 1) : m_frames.mask(m_drawing));
    else
        clearMask();
}

} // namespace velmora::character
