// The computer player: all orders of one computer seat in a single pass, and the timer tick that
// then presses Done for it.
#pragma once

namespace zarnath {
class Game;

// Gives every order of the computer player whose turn it is (CurrentPlayer): the pulse-bomb
// defence of its home worlds, attacks, bombs and scouts against the nearest worlds it does not
// own, ships gathered at its most exposed worlds, and the shields of those worlds. It judges other
// worlds only by what the player may know. Ends by starting the 10 ms computer-turn timer, whose
// tick (ComputerDoneTick) presses Done.
void ComputerTurn(Game& g);

// The tick of the computer-turn timer: stops the timer, so it fires once per computer turn, and
// presses Done for the computer player.
void ComputerDoneTick(Game& g);

}  // namespace zarnath
