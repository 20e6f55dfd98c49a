#include "windows/ClassicFonts.h"

#include <QStringList>

namespace velmora::ClassicFonts {

namespace {

constexpr int kSmallPixels = 11; // 8.25 pt at 96 dpi

QFont make(const QStringList &families, int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace

QFont msSansSerif(bool bold)
{
    return make({ QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans") }, kSmallPixels, bold);
}

QFont tahoma(bool bold)
{
    return msSansSerif(bold);
}

QFont timesNewRoman(int pixelSize, bool bold)
{
    return make({ QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                    QStringLiteral("DejaVu Serif") },
        pixelSize, bold);
}

} // namespace velmora::ClassicFonts
