// The Command menu's pulse-bomb command, which the computer player uses as well.
#pragma once

namespace zarnath {
class Game;
struct GameState;

// A pulse bomb can be armed on a home world of a seat in the game that the current seat owns,
// that has no pulse bomb armed yet (no code, or the double-speed fuel) and holds a bomb.
bool CanArmPulseBomb(const GameState& g, int world);

// Arms the pulse bomb of the selected source world for the next end of turn: 10 is added to the
// world's code and one bomb taken from its store. A client reports the world's new code and bombs
// to the host; a human seat gets the notice, the log line and the world's history entry. A world
// that cannot be armed stays as it is. Nothing happens without a source world; otherwise the
// selection is cleared, and a human seat's window unlocked and redrawn.
void mnuComSendPulse_Click(Game& g);

}  // namespace zarnath
