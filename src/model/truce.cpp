#include "model/truce.h"

#include "model/game.h"
#include "model/game_texts.h"
#include "model/view_rules.h"

namespace zarnath {

int TruceTurnsLeft(const GameState& g) {
  const int left = g.TruceUntilTurn - TurnOf(g);
  return left >= 1 ? left : 0;
}

bool TruceEndsThisTurn(const GameState& g) {
  return g.TruceUntilTurn >= 1 && TurnOf(g) == g.TruceUntilTurn;
}

bool TruceProtects(const GameState& g, int seat, int w) {
  if (seat < 0 || seat >= kSeats || !WorldInPlay(g, w)) return false;
  const int owner = g.WorldOwner[static_cast<size_t>(w)];
  return owner != 0 && owner != seat + 1 && TruceTurnsLeft(g) > 0;
}

}  // namespace zarnath
