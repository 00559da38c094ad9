// The names of the picture files in the program folder that the windows draw and that the
// asset maker makes. Button pictures are "buttN.jpg" (normal face) and "ddentbuttN.jpg"
// (pressed face); the window backgrounds are "startup.jpg" and "back1024.jpg".
//
// Sprites are lossless PNG pairs for the mask-then-image drawing of the galaxy view: the mask
// is black where the sprite covers and white elsewhere (combined by AND), the image holds the
// sprite's colours on pure black (combined by XOR).
#pragma once

#include <string>

namespace zarnath {

inline constexpr const char* kSunImageFile = "sun.png";     // 50 x 50
inline constexpr const char* kSunMaskFile = "sunmask.png";  // 50 x 50
inline constexpr int kSunSize = 50;
inline constexpr int kWorldSpriteSize = 20;

// World w's sprite and mask, w = 0..29: "world00.png", "worldmask00.png", ...
inline std::string WorldImageFile(int w) {
  return "world" + std::string(1, static_cast<char>('0' + w / 10)) + static_cast<char>('0' + w % 10) + ".png";
}
inline std::string WorldMaskFile(int w) {
  return "worldmask" + std::string(1, static_cast<char>('0' + w / 10)) + static_cast<char>('0' + w % 10) +
         ".png";
}

// The holdings indicators of the game window, 32 x 32 with a transparent background: bombs
// held, a double-speed fuel world held, the Information Crystal held.
inline constexpr const char* kBombIndicatorFile = "bomb.png";
inline constexpr const char* kFuelIndicatorFile = "fuel.png";
inline constexpr const char* kCrystalIndicatorFile = "crystal.png";
inline constexpr int kIndicatorSize = 32;

}  // namespace zarnath
