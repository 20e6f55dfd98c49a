#include "character/SpeechBalloon.h"

#include "character/CompositorProbe.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace velmora::character {

namespace {

constexpr int Padding = 12;
constexpr int Tail = 16; // how far the tail reaches out of the box
constexpr int MaxTextWidth = 240;
constexpr int MaxTextHeight = 160;
constexpr int Gap = 4; // between the tail's tip and the character
constexpr qreal Radius = 12;

const QColor Paper(255, 253, 240);
const QColor Ink(40, 36, 52);

} // namespace

SpeechBalloon::SpeechBalloon()
    : QWidget(nullptr,
        Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint
            | Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    QFont big = font();
    big.setPixelSize(18);
    big.setWeight(QFont::DemiBold);
    setFont(big);
}

void SpeechBalloon::showText(const QString &text, const QRect &character)
{
    m_text = text;
    // The words are painted, so a screen reader learns them from the name.
    setAccessibleName(text);
    layOut(character);
    update();
    show();
}

void SpeechBalloon::follow(const QRect &character)
{
    if (isVisible())
        layOut(character);
}

void SpeechBalloon::layOut(const QRect &character)
{
    const QRect textSize = fontMetrics().boundingRect(
        QRect(0, 0, MaxTextWidth, MaxTextHeight), Qt::AlignCenter | Qt::TextWordWrap, m_text);
    const QSize box(std::max(textSize.width(), 40) + 2 * Padding,
        std::min(textSize.height(), MaxTextHeight) + 2 * Padding);

    const QScreen *screen = QGuiApplication::screenAt(character.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(character.topLeft(), QSize(4096, 4096));

    m_tailOnLeft = character.right() + Gap + Tail + box.width() <= area.right();
    const int tailY = std::clamp(box.height() / 2, int(Radius) + 8, box.height() - int(Radius) - 8);
    // The tail points at about two fifths of the way down the figure: its mouth.
    const int mouthY = character.top() + character.height() * 2 / 5;
    int top = std::clamp(mouthY - tailY, area.top(), std::max(area.top(), area.bottom() - box.height()));
    const int left = m_tailOnLeft ? character.right() + Gap : character.left() - Gap - Tail - box.width();
    const int tipY = std::clamp(mouthY - top, int(Radius), box.height() - int(Radius));

    m_box = QRect(m_tailOnLeft ? Tail : 0, 0, box.width(), box.height());
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(m_box).adjusted(1.5, 1.5, -1.5, -1.5), Radius, Radius);
    QPainterPath tail;
    const qreal edge = m_tailOnLeft ? m_box.left() + 4 : m_box.right() - 4;
    const qreal tip = m_tailOnLeft ? 1.5 : m_box.right() + Tail - 1.5;
    tail.moveTo(edge, tailY - 9);
    tail.quadTo((edge + tip) / 2, tipY - 2, tip, tipY);
    tail.quadTo((edge + tip) / 2, tailY + 2, edge, tailY + 9);
    tail.closeSubpath();
    m_shape = rounded.united(tail).simplified();

    setFixedSize(box.width() + Tail, box.height());
    move(left, top);

    if (CompositorProbe::isCompositing()) {
        clearMask();
    } else {
        QBitmap bits(size());
        bits.fill(Qt::color0);
        QPainter painter(&bits);
        painter.setPen(QPen(Qt::color1, 2));
        painter.setBrush(Qt::color1);
        painter.drawPath(m_shape);
        painter.end();
        setMask(bits);
    }
}

void SpeechBalloon::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(QPen(Ink, 2.2));
    painter.setBrush(Paper);
    painter.drawPath(m_shape);
    painter.setPen(Ink);
    painter.drawText(
        m_box.adjusted(Padding, Padding, -Padding, -Padding), Qt::AlignCenter | Qt::TextWordWrap, m_text);
}

} // namespace velmora::character
