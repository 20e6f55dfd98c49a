#pragma once

#include <QPalette>

// The light classic desktop colours that fixed text colours were chosen
// against. A window whose labels carry fixed colours (the About window's
// dark grey, blue, orange and brick red) takes this whole palette, so its
// background and every system-coloured control in it stay light, and
// readable, whatever the desktop's theme.
namespace velmora::ClassicPalette {

// Window, button face and the borders #D4D0C8; text black; boxes white;
// selection navy with white text.
QPalette light();

} // namespace velmora::ClassicPalette
