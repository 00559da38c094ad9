// Menu state that moves together: the AutoSave switch with its caption and starting year, and
// the sound switch with its caption. A new game, a loaded game and the menu commands set them alike.
#pragma once

namespace zarnath {
struct GameState;

// The Sound item's caption while sound is on, and while it is off.
inline constexpr const char* kSoundOnCaption = "Turn Sound Off";
inline constexpr const char* kSoundOffCaption = "Turn Sound On";

// AutoSave on (checked, "AutoSave On", counting from this year) or off (unchecked, "AutoSave
// Off", year 0).
void SetAutoSave(GameState& g, bool on);
// Sound on or off, with the Sound item's caption that says so.
void SetSoundOff(GameState& g, bool off);

}  // namespace zarnath
