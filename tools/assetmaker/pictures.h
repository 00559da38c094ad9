// The game's pictures, drawn: the title picture, the star-field background of the game
// window, the button faces, the sun and world sprites with their masks, and the indicators.
#pragma once

#include <QString>

namespace assetmaker {

struct PictureFonts {
  QString display;  // the labels' typeface (family name)
  QString title;    // the titles' typeface
};

// Writes every picture into `folder`; false on a write failure.
bool WritePictures(const QString& folder, const PictureFonts& fonts);

}  // namespace assetmaker
