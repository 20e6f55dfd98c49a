#include "app/WordListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace velmora {

WordListBox::WordListBox(QWidget *parent)
    : QListView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row has the same height, so the view never measures 15,500 rows.
    setUniformItemSizes(true);
    setContextMenuPolicy(Qt::NoContextMenu);
}

int WordListBox::buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

void WordListBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::RightButton)
        QListView::mousePressEvent(event);
    else
        event->accept();
    Q_EMIT mouseDown(buttonCode(event->button()));
}

void WordListBox::keyPressEvent(QKeyEvent *event)
{
    const bool menuKey = event->key() == Qt::Key_Menu
        || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (!menuKey) {
        QListView::keyPressEvent(event);
        return;
    }
    event->accept();
    Q_EMIT menuKeyPressed();
}

} // namespace velmora
