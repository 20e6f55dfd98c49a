#pragma once

#include <QPainterPath>
#include <QWidget>

namespace velmora::agent {

// The word balloon beside a speaking character: a rounded box with a tail
// that points at the character's mouth. Like the character it is a
// frameless tool window that never takes the focus.
class SpeechBalloon : public QWidget {
    Q_OBJECT

public:
    SpeechBalloon();

    // Shows the text beside the character's figure (screen coordinates):
    // to its right where the screen has room, else to its left.
    void showText(const QString &text, const QRect &character);
    // Keeps beside the character while it is dragged.
    void follow(const QRect &character);

    const QString &text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void layOut(const QRect &character);

    QString m_text;
    QRect m_box; // the rounded box, in widget coordinates
    QPainterPath m_shape;
    bool m_tailOnLeft = true;
};

} // namespace velmora::agent
