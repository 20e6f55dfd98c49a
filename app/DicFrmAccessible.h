#pragma once

#include <QAccessibleWidget>

namespace velmora {

// The main window as the accessibility interface sees it: its controls, and
// while it is open the copy menu too. Qt leaves popup menus out of the tree
// (they are not children of any window there), so a screen reader could not
// find the menu's item while the menu was open.
class DicFrmAccessible : public QAccessibleWidget {
public:
    explicit DicFrmAccessible(QWidget *window);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

    // Installs the factory that gives every DicFrm this interface.
    static void install();

private:
    QAccessibleInterface *openMenu() const;
};

} // namespace velmora
