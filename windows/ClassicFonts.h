#pragma once

#include <QFont>

// The window fonts, at the pixel sizes their point sizes have on a 96 dpi
// screen, whatever the screen's real resolution: the layouts are in pixels.
// MS Sans Serif and Tahoma come from Wine's free clones when present; the
// nearest free families stand in otherwise.
namespace velmora::ClassicFonts {

// Makes the Tahoma and MS Sans Serif clones known to the program. Call once
// after the application object exists.
void registerBundled();

QFont msSansSerif(bool bold = false);  // 8.25 pt
QFont tahoma(bool bold = false);       // 8.25 pt
QFont timesNewRoman(int pixelSize, bool bold = false);

} // namespace velmora::ClassicFonts
