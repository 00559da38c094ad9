// The game window's switches and the menu captions made from them: sound, speed game, world
// labels, ship labels, travelling fleets, the turn timer and AutoSave. The switches are the game's
// state; each switching item's caption names what choosing it does next and is made here alone.
#pragma once

namespace zarnath {
struct GameState;

// The Sound item's caption while sound is on, and while it is off.
inline constexpr const char* kSoundOnCaption = "Turn Sound Off";
inline constexpr const char* kSoundOffCaption = "Turn Sound On";

enum class Switch { kSound, kSpeed, kWorldLabels, kShipLabels, kFleets, kTurnTimer };

bool SwitchOn(const GameState& g, Switch s);
// Sets a switch and the captions that show it.
void SetSwitch(GameState& g, Switch s, bool on);
// Every switching item's caption (and AutoSave's check mark) from the switches.
void ShowSwitches(GameState& g);

// AutoSave on (checked, "AutoSave On", counting from this year) or off (unchecked, "AutoSave
// Off", year 0).
void SetAutoSave(GameState& g, bool on);
// Sound on or off, with the Sound item's caption that says so.
void SetSoundOff(GameState& g, bool off);

}  // namespace zarnath
