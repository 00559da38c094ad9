// The Command menu's pulse-bomb command, which the computer player uses as well.
#pragma once

namespace zarnath {
class Game;

// Arms the pulse bomb of the selected source world for the next end of turn: 10 is added to the
// world's code and one bomb taken from its store. A client reports the world's new code and bombs
// to the host; a human seat gets the notice, the log line and the world's history entry. A world
// the current seat cannot arm (`CanArmPulseBomb`) stays as it is. Nothing happens without a
// source world; otherwise the selection is cleared, and a human seat's window unlocked and redrawn.
void mnuComSendPulse_Click(Game& g);

}  // namespace zarnath
