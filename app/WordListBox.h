#pragma once

#include <QListView>

namespace velmora {

// A list box as the dictionary expects one: every mouse press is reported
// with its button code, and a right-button press never moves the selection
// (the popup menu acts on the entry already selected). The keyboard's menu
// keys (Menu, Shift+F10) are reported too, so the menu opens without a mouse.
class WordListBox : public QListView {
    Q_OBJECT

public:
    explicit WordListBox(QWidget *parent = nullptr);

    // Button codes of the mouse-down event: 1 left, 2 right, 4 middle.
    static int buttonCode(Qt::MouseButton button);

Q_SIGNALS:
    void mouseDown(int button);
    void menuKeyPressed();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace velmora
