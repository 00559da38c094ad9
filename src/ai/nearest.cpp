#include "ai/nearest.h"

#include "ai/quick_solver.h"
#include "model/game.h"
#include "model/game_texts.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

void ResetList(GameState& g) {
  for (int k = 0; k < kNearestRows; ++k) {
    g.NearestList[k][0] = -1.0f;
    g.NearestList[k][1] = kEmptyNearestYears;
  }
}

// A world whose time equals a listed one goes after it, so ties keep ascending world index.
void Insert(GameState& g, int world, float years) {
  int k = 0;
  while (k < kNearestRows && !(g.NearestList[k][1] > years)) ++k;
  if (k == kNearestRows) return;
  for (int r = kNearestRows - 1; r > k; --r) g.NearestList[r] = g.NearestList[r - 1];
  g.NearestList[k][0] = static_cast<float>(world);
  g.NearestList[k][1] = years;
}

// The frame all three searches share: candidates in ascending world order, each priced and, when
// nearer than the sixth row and not protected by the truce, put into the list.
template <typename IsCandidate, typename Price>
void Search(GameState& g, int world, int owner, IsCandidate isCandidate, Price price) {
  ResetList(g);
  if (world < 0 || world >= g.WorldCount) return;
  const bool truce = TruceLasts(g);
  for (int i = 0; i < g.WorldCount; ++i) {
    if (i == world || !isCandidate(i)) continue;
    price(i, g.TravelYears, g.TravelAngle);
    const float years = g.TravelYears;
    if (!(years < g.NearestList[kNearestRows - 1][1])) continue;
    if (truce && g.WorldOwner[i] != 0 && g.WorldOwner[i] != owner) continue;
    Insert(g, i, years);
  }
}

}  // namespace

bool OwnAttackUnderWay(const GameState& g, int owner, int target) {
  for (int s = 0; s < kUsedFleetSlots; ++s)
    if (g.FleetFrom[s] > 0 && g.FleetOwner[s] == owner && g.FleetTo[s] == target + 1 &&
        g.FleetShips[s] > 0.0f)
      return true;
  return false;
}

bool TruceLasts(const GameState& g) {
  return g.TruceUntilTurn - TurnOf(g) >= 1;
}

void NearestFrom(GameState& g, int world, int owner, QuickSolver& solver) {
  Search(
      g, world, owner, [&](int i) { return g.WorldOwner[i] != owner; },
      [&](int i, float& years, float& angle) { solver.Price(g, world, i, 0, years, angle); });
}

void PNearestFrom(GameState& g, int world, int owner, int ahead, QuickSolver& solver) {
  Search(
      g, world, owner,
      [&](int i) { return g.WorldOwner[i] != owner && !OwnAttackUnderWay(g, g.CurrentPlayer + 1, i); },
      [&](int i, float& years, float& angle) { solver.Price(g, world, i, ahead, years, angle); });
}

void NearestTo(GameState& g, int world, int owner, QuickSolver& solver) {
  Search(
      g, world, owner,
      [&](int i) { return g.WorldOwner[i] == owner && (g.WorldShips[i] > 0.0f || g.WorldBombs[i] >= 1); },
      [&](int i, float& years, float& angle) { solver.Price(g, i, world, 0, years, angle); });
}

void NearestFrom(GameState& g, int world, int owner) {
  QuickSolver solver;
  NearestFrom(g, world, owner, solver);
}

void PNearestFrom(GameState& g, int world, int owner, int ahead) {
  QuickSolver solver;
  PNearestFrom(g, world, owner, ahead, solver);
}

void NearestTo(GameState& g, int world, int owner) {
  QuickSolver solver;
  NearestTo(g, world, owner, solver);
}

}  // namespace zarnath
