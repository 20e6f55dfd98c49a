#include "app/FullTextHint.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace velmora {

namespace {

// QLineEdit keeps this much room between its contents' edge and the text.
constexpr int kHorizontalMargin = 2;

} // namespace

bool FullTextHint::fits(const QLineEdit &box)
{
    // The room QLineEdit paints its text in: the style's contents rectangle
    // for a sunken frame, less the text margins and its own margin each side.
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.rect = box.rect();
    option.lineWidth
        = box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box);
    const QMargins margins = box.textMargins();
    const int room = contents.width() - margins.left() - margins.right() - 2 * kHorizontalMargin;
    return box.fontMetrics().horizontalAdvance(box.text()) <= room;
}

void FullTextHint::update(QLineEdit &box)
{
    const QString whole = fits(box) ? QString() : box.text();
    box.setToolTip(whole);
    box.setAccessibleDescription(whole);
}

} // namespace velmora
