#pragma once

#include <QFont>

// The window fonts, at the pixel sizes their point sizes have on a 96 dpi
// screen, whatever the screen's real resolution: the layouts are in pixels.
// The nearest free system fonts stand in: Liberation Sans (Arial's metrics)
// for MS Sans Serif and Tahoma, Liberation Serif (Times New Roman's metrics)
// for Times New Roman. Fonts the system already knows cost start-up nothing
// to register.
namespace velmora::ClassicFonts {

QFont msSansSerif(bool bold = false); // 8.25 pt
QFont tahoma(bool bold = false); // 8.25 pt
QFont timesNewRoman(int pixelSize, bool bold = false);

} // namespace velmora::ClassicFonts
