// The game's two display typefaces, loaded from the program folder: "venusris.ttf" (the
// labels of most windows) and "nasaliza.ttf" (the high-score window's title). Sizes are given
// in points at 96 dots per inch and set in pixels, so every window keeps its layout.
#pragma once

#include <QFont>
#include <QString>

class QLabel;

namespace zarnath {

enum class Typeface { kVenusRising, kNasalization };

inline constexpr const char* kVenusRisingFile = "venusris.ttf";
inline constexpr const char* kNasalizationFile = "nasaliza.ttf";

// Removes and adds again both font files (in this order: "venusris.ttf", "nasaliza.ttf").
// A missing file is reported once and its typeface falls back to the desktop's own.
void RegisterDisplayFonts();

// The family name read from the loaded file; the desktop's default family when the file did
// not load.
QString FontFamily(Typeface face);

// The typeface at `points` (at 96 dots per inch), its size set in pixels.
QFont GameFont(Typeface face, double points, bool bold = false);

// Grows a label that is shorter than its font's lines (ascent and descent of each) to their
// height, keeping its top edge: no capital loses its top and no "g" its tail.
void FitLabelHeight(QLabel* label);

// Pixels of a size in points at 96 dots per inch (21.75 pt is 29 px).
int PointsToPixels(double points);

}  // namespace zarnath
