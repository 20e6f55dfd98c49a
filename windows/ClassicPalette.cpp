#include "windows/ClassicPalette.h"

namespace velmora::ClassicPalette {

QPalette light()
{
    const QColor face(0xD4, 0xD0, 0xC8); // button face, active and inactive border alike
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    const QColor grey(0x80, 0x80, 0x80);

    // Raised edges white, shadows grey, the deepest shadow dark grey.
    QPalette palette(black, face, white, grey, QColor(0xB0, 0xAC, 0xA4), black, white, white, face);
    palette.setColor(QPalette::Shadow, QColor(0x40, 0x40, 0x40));
    palette.setColor(QPalette::ButtonText, black);
    palette.setColor(QPalette::Highlight, QColor(0x0A, 0x24, 0x6A));
    palette.setColor(QPalette::HighlightedText, white);
    palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    palette.setColor(QPalette::ToolTipText, black);
    palette.setColor(QPalette::PlaceholderText, grey);
    palette.setColor(QPalette::Link, QColor(0x00, 0x00, 0xFF));
    palette.setColor(QPalette::LinkVisited, QColor(0x80, 0x00, 0x80));
    palette.setColor(QPalette::AlternateBase, QColor(0xF7, 0xF7, 0xF7));
    // Disabled text is the one thing meant to read dimly.
    for (const QPalette::ColorRole role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        palette.setColor(QPalette::Disabled, role, grey);
    return palette;
}

} // namespace velmora::ClassicPalette
