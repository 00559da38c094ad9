// The setup window's load step: the player colours, no network game, and the last choices of
// the local player restored from "defaults.cfg".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zarnath {
class Game;

// Loads the setup window as it stands (the new-game command runs it over the controls' values).
void LoadSetupWindow(Game& g);

// A setup window created afresh: every control at its first value, then loaded.
void OpenNewSetupWindow(Game& g);

// The shield and truce boxes set by the user or from code: a box that changes clicks.
void TickShieldBox(Game& g, int value);
void TickTruceBox(Game& g, int value);

// A user's edit of name box `slot`; a name taken for a computer player's, or one that the game's
// files cannot keep whole, is refused with a message. False when the box kept its old text.
bool EditSeatName(Game& g, int slot, const std::string& text);

// Why a name cannot be a player's name here: the saved game or the high-score file would not give
// it back as it is. Nothing when both keep it.
std::optional<std::string> UnkeptNameText(std::string_view name);
// A game started or joined on the setup window's names: one that the files cannot keep and that
// came into a box without being typed (the last game's first name, from "defaults.cfg") is refused
// with its message. Seat 0's name always; the other seats' at one computer, since in a network
// game they hold the peers' names. True when a name was refused.
bool RefusesUnkeptNames(Game& g);

// Closing the setup window: the listener and every connection close at once (nothing waits on
// the peers), the lobby's timers stop, and the window is gone.
void CloseSetupWindow(Game& g);

}  // namespace zarnath
