#include "app/DicFrmAccessible.h"

#include <QMenu>

namespace velmora {

DicFrmAccessible::DicFrmAccessible(QWidget *window)
    : QAccessibleWidget(window, QAccessible::Window)
{
}

QAccessibleInterface *DicFrmAccessible::openMenu() const
{
    // Looked up each time: the interface can be made before the window's controls.
    QMenu *menu = widget()->findChild<QMenu *>(QStringLiteral("MFile"), Qt::FindDirectChildrenOnly);
    return menu && menu->isVisible() ? QAccessible::queryAccessibleInterface(menu) : nullptr;
}

int DicFrmAccessible::childCount() const
{
    return QAccessibleWidget::childCount() + (openMenu() ? 1 : 0);
}

QAccessibleInterface *DicFrmAccessible::child(int index) const
{
    const int controls = QAccessibleWidget::childCount();
    if (index == controls)
        return openMenu();
    return QAccessibleWidget::child(index);
}

int DicFrmAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (child && child == openMenu())
        return QAccessibleWidget::childCount();
    return QAccessibleWidget::indexOfChild(child);
}

void DicFrmAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory([](const QString &className, QObject *object) -> QAccessibleInterface * {
            auto *window = qobject_cast<QWidget *>(object);
            if (className != QLatin1String("velmora::DicFrm") || !window)
                return nullptr;
            return new DicFrmAccessible(window);
        });
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace velmora
