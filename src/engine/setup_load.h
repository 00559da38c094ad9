// The setup window's load step: the player colours, no network game, and the last choices of
// the local player restored from "defaults.cfg".
#pragma once

namespace zarnath {
class Game;

// Loads the setup window as it stands (the new-game command runs it over the controls' values).
void SetupForm_Load(Game& g);

// A setup window created afresh: every control at its first value, then loaded.
void OpenNewSetupWindow(Game& g);

}  // namespace zarnath
