// The Command menu's pulse-bomb command, which the computer player uses as well.
#pragma once

namespace zarnath {
class Game;

// The current seat's order to arm the pulse bomb of world w for the next end of turn: 10 is added
// to the world's code and one bomb taken from its store. A client reports the world's new code and
// bombs to the host; a human seat gets the notice, the log line and the world's history entry. A
// world the seat cannot arm (`CanArmPulseBomb`, the rule the host applies too) stays as it is.
// The selection is cleared, and a human seat's window unlocked and redrawn.
void ArmPulseBomb(Game& g, int w);
// The Command menu's item: the order for the selected source world; nothing without one.
void mnuComSendPulse_Click(Game& g);

}  // namespace zarnath
