// The battle truce in one place: how long it still runs and which worlds it protects. The window's
// clicks, the world panel, the nearest-world searches, the computer player, the launch check and
// the turn's notices all ask it.
#pragma once

namespace zarnath {
struct GameState;

// The turns the truce still runs: the truce turn less the turn number, or 0 once the turn number
// has reached it (and for a game without a truce).
int TruceTurnsLeft(const GameState& g);
// Whether the truce came to its end with this turn: a truce was set and the turn number is its turn.
bool TruceEndsThisTurn(const GameState& g);
// Whether the truce protects world w from seat `seat`: while it runs, a world in play that belongs to
// another player. Unowned worlds and the seat's own are never protected.
bool TruceProtects(const GameState& g, int seat, int w);

}  // namespace zarnath
