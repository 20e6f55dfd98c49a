#pragma once

#include <QColor>
#include <QRect>

#include <optional>

class QFont;
class QLabel;
class QString;
class QWidget;

namespace velmora {

// A fixed-place label of the classic window layouts. The box gives its place;
// unless told otherwise it is then sized to its text, as the classic labels
// were. A colour, when given, is its text colour in every palette.
QLabel *addClassicLabel(QWidget *parent, const char *name, const QString &text, QRect box, const QFont &font,
    std::optional<QColor> colour = {}, bool sizedToText = true);

} // namespace velmora
