#include "windows/ClassicFonts.h"

#include <QFile>
#include <QFontDatabase>
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

void registerBundled()
{
    // Wine ships these outside the system font path.
    const QString folder = QStringLiteral("/usr/share/wine/fonts/");
    for (const char *name : {"tahoma.ttf", "tahomabd.ttf"}) {
        const QString path = folder + QLatin1String(name);
        if (QFile::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
}

QFont msSansSerif(bool bold)
{
    // Wine's MS Sans Serif is a bitmap font without an 11-pixel strike, so
    // Tahoma, its successor as the dialog font, stands in at the right size.
    return make({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")},
                kSmallPixels, bold);
}

QFont tahoma(bool bold)
{
    return make({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")},
                kSmallPixels, bold);
}

QFont timesNewRoman(int pixelSize, bool bold)
{
    return make({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                 QStringLiteral("DejaVu Serif")},
                pixelSize, bold);
}

} // namespace velmora::ClassicFonts
