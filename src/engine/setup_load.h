// The setup window's load step: the player colours, no network game, and the last choices of
// the local player restored from "defaults.cfg".
#pragma once

#include <string>

namespace zarnath {
class Game;

// Loads the setup window as it stands (the new-game command runs it over the controls' values).
void LoadSetupWindow(Game& g);

// A setup window created afresh: every control at its first value, then loaded.
void OpenNewSetupWindow(Game& g);

// The shield and truce boxes set by the user or from code: a box that changes clicks.
void TickShieldBox(Game& g, int value);
void TickTruceBox(Game& g, int value);

// A user's edit of name box `slot`; a name taken for a computer player's is refused with a
// message. False when the box kept its old text.
bool EditSeatName(Game& g, int slot, const std::string& text);

// Closing the setup window: the listener and every connection close at once (nothing waits on
// the peers), the lobby's timers stop, and the window is gone.
void CloseSetupWindow(Game& g);

}  // namespace zarnath
