#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QWidget>

#include <cmath>

// Contrast as WCAG 2 defines it, measured on what a window really paints:
// the background is the colour that fills most of a control's place in the
// window's picture, the text colour the one the control paints its text in
// (and that picture must contain it).
namespace RenderedContrast {

inline double luminance(const QColor &colour)
{
    auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
        + 0.0722 * linear(colour.blueF());
}

inline double ratio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The widget's place in the picture of its window.
inline QRect placeIn(const QWidget *widget)
{
    return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
}

inline QColor dominantColour(const QImage &picture, const QRect &area)
{
    QHash<QRgb, int> counts;
    const QRect inside = area & picture.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[picture.pixel(x, y) | 0xFF000000];
    }
    QRgb best = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            best = it.key();
        }
    }
    return QColor::fromRgb(best);
}

// Whether some pixel in the area is within `tolerance` of the colour in
// every channel: text painted in that colour leaves pixels of it.
inline bool paints(const QImage &picture, const QRect &area, const QColor &colour, int tolerance = 10)
{
    const QRect inside = area & picture.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor p = picture.pixelColor(x, y);
            if (std::abs(p.red() - colour.red()) <= tolerance
                && std::abs(p.green() - colour.green()) <= tolerance
                && std::abs(p.blue() - colour.blue()) <= tolerance)
                return true;
        }
    }
    return false;
}

// The dark palette a dark desktop theme gives Fusion.
inline QPalette darkPalette()
{
    QPalette p;
    const QColor window(0x35, 0x35, 0x35);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(0x2A, 0x2A, 0x2A));
    p.setColor(QPalette::AlternateBase, QColor(0x42, 0x42, 0x42));
    p.setColor(QPalette::ToolTipBase, Qt::white);
    p.setColor(QPalette::ToolTipText, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
    p.setColor(QPalette::Midlight, QColor(0x45, 0x45, 0x45));
    p.setColor(QPalette::Mid, QColor(0x2F, 0x2F, 0x2F));
    p.setColor(QPalette::Dark, QColor(0x23, 0x23, 0x23));
    p.setColor(QPalette::Shadow, QColor(0x14, 0x14, 0x14));
    p.setColor(QPalette::Highlight, QColor(0x2A, 0x82, 0xDA));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Link, QColor(0x2A, 0x82, 0xDA));
    p.setColor(QPalette::PlaceholderText, QColor(0xA0, 0xA0, 0xA0));
    return p;
}

} // namespace RenderedContrast
