#include "windows/ClassicLabel.h"

#include <QLabel>

namespace velmora {

QLabel *addClassicLabel(QWidget *parent, const char *name, const QString &text, QRect box, const QFont &font,
    std::optional<QColor> colour, bool sizedToText)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    if (colour) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, *colour);
        label->setPalette(palette);
    }
    label->setGeometry(box);
    if (sizedToText)
        label->adjustSize();
    return label;
}

} // namespace velmora
