// The battle: set-up, the shots and the hits.
#include "engine/battle.h"

#include <algorithm>
#include <cmath>

#include "engine/event_audience.h"
#include "engine/rounding.h"
#include "engine/turn_show.h"
#include "model/game.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

using namespace battle_data;
using namespace turn_event;

constexpr double kBarLeft = 280.0, kBarWidth = 455.0;

// One hit of side `from` on side `to`: a shield point, or ships by the class pair.
void Hit(GameState& g, int from, int to) {
  auto& d = g.BattleData;
  if (d[to][kShield] > 0) {
    d[to][kShield] -= 1;
  } else if (d[from][kClass] > d[to][kClass]) {
    const double ratio = d[to][kClass] > 0 ? static_cast<double>(d[from][kClass]) / d[to][kClass]
                                           : static_cast<double>(d[from][kClass]);
    d[to][kShipsLeft] = RoundToInt32(d[to][kShipsLeft] - (ratio / 2.0 + 0.5));
  } else {
    d[to][kShipsLeft] -= 1;
  }
  if (d[to][kShipsLeft] < 0) d[to][kShipsLeft] = 0;
  if (d[to][kShotsLeft] > d[to][kShipsLeft]) d[to][kShotsLeft] = d[to][kShipsLeft];
}

}  // namespace

uint8_t DrawAccuracy(Game& g, int shipClass) {
  const int c = std::clamp(shipClass, 1, 5);
  const double span = 40 - (c - 1) * 5;
  return static_cast<uint8_t>(Int(span * g.random.Next()) + 60 + (c - 1) * 5);
}

float ShotDelay(float worldShips, float fleetShips) {
  if (worldShips <= 0 || fleetShips <= 9) return 300.0f;
  const double ws = worldShips, fs = fleetShips;
  return static_cast<float>(((ws * 1500.0 + fs) * 2.0) / (ws * fs));
}

double StrengthBarSplit(int32_t attackerShips, int32_t defenderShips) {
  const double a = std::max(attackerShips, 0), d = std::max(defenderShips, 0);
  if (a + d <= 0) return kBarLeft + kBarWidth / 2.0;
  return kBarLeft + kBarWidth * a / (a + d);
}

void BattleSetup(Game& g, int slot) {
  if (!SlotInPlay(g, slot)) return;
  const size_t s = static_cast<size_t>(slot);
  const size_t wi = static_cast<size_t>(g.FleetTo[s] - 1);
  auto& d = g.BattleData;
  const int32_t fleet = RoundToInt32(g.FleetShips[s]), garrison = RoundToInt32(g.WorldShips[wi]);
  d[kAttacker] = {0, fleet, g.FleetClass[s], g.AttackAccuracy, g.FleetShield[s], fleet, fleet, 0};
  d[kDefender] = {0, garrison, g.WorldClass[wi], g.DefendAccuracy, g.WorldShield[wi], garrison, garrison, 0};
  g.BattleDelay = ShotDelay(g.WorldShips[wi], g.FleetShips[s]);
  Tell(g, BattleSetUp{slot});
}

void FromHit(Game& g, int /*slot*/) {
  Hit(g, kAttacker, kDefender);
}
void ToHit(Game& g, int /*slot*/) {
  Hit(g, kDefender, kAttacker);
}

void LandHit(Game& g, int slot, int side) {
  Tell(g, ShotHit{slot, side});
  if (side == kAttacker)
    FromHit(g, slot);
  else
    ToHit(g, slot);
}

void DecideBattle(Game& g, int slot, int side) {
  Tell(g, BattleDecided{slot, side});
  g.BattleSide = static_cast<uint8_t>(side);
  BattleDone(g, slot);
  Tell(g, StepEnded{});
}

void Battle(Game& g, int slot) {
  if (!SlotInPlay(g, slot)) return;
  const size_t s = static_cast<size_t>(slot);
  g.AttackAccuracy = DrawAccuracy(g, g.FleetClass[s]);
  g.DefendAccuracy = DrawAccuracy(g, g.WorldClass[static_cast<size_t>(g.FleetTo[s] - 1)]);
  BattleSetup(g, slot);
  Tell(g, BattleOpened{slot});

  auto& d = g.BattleData;
  int pass = 0;
  bool over = false;
  while (!over) {
    for (int side = kAttacker; side <= kDefender && !over; ++side) {
      g.BattleSide = static_cast<uint8_t>(side);
      const int shots = g.setup.chkMode == 1 ? 1 : d[side][kShotsLeft];
      for (int k = 1; k <= shots; ++k) {
        if (d[side][kShotsLeft] >= 1) {
          Tell(g, ShotDue{slot});
          d[side][kShotsLeft] -= 1;
          const bool hit = static_cast<float>(g.random.Next() * 100.0f) <= d[side][kAccuracy];
          if (hit) LandHit(g, slot, side);
          Tell(g, FiguresShown{slot, pass, true});
        }
        // An empty (or negative) garrison has no ships left to lose: the shooter has won.
        if (d[3 - side][kShipsLeft] <= 0) {
          over = true;
          break;
        }
      }
    }
    if (over) break;
    if (d[kAttacker][kShotsLeft] < 1 && d[kDefender][kShotsLeft] < 1) {
      d[kAttacker][kShotsLeft] = d[kAttacker][kShipsLeft];
      d[kDefender][kShotsLeft] = d[kDefender][kShipsLeft];
      if (d[kAttacker][kShotsLeft] < 1 && d[kDefender][kShotsLeft] < 1) {
        // Neither side has a ship to fire: the world holds.
        g.BattleSide = kDefender;
        over = true;
      }
    }
    ++pass;
  }

  Tell(g, FiguresShown{slot, pass, false});
  DecideBattle(g, slot, g.BattleSide);
}

}  // namespace zarnath
