// Star systems laid out by hand for the computer player's tests: every world in play on its ring
// at a chosen angle, neutral with plain values, and seat 0 a computer player that owns its home
// world. Worlds are placed so that the quick solver prices a trip at an exact number of ticks.
#pragma once

#include <string>
#include <vector>

#include "ai/quick_solver.h"
#include "fixtures/test_game.h"
#include "model/galaxy.h"
#include "model/numbers.h"
#include "model/travel_time.h"

namespace zarnath::testing {

struct Order {
  int from, to;
  float ships;
  bool operator==(const Order&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Order& o) {
  return os << "{" << o.from << "->" << o.to << " " << o.ships << "}";
}

struct AiState : TestGame {
  explicit AiState(int worlds = 9, int level = 1) {
    Game& g = game;
    g.WorldCount = static_cast<uint8_t>(worlds);
    const double speed8 = 2.0 * kPi / (130.0 * 4.0);
    for (int w = 0; w < worlds; ++w) {
      g.WorldRadius[w] = RingRadius(w);
      g.WorldAngularSpeed[w] =
          static_cast<float>(130.0 * 130.0 / (g.WorldRadius[w] * g.WorldRadius[w]) * speed8);
      g.WorldAngle[w] = static_cast<float>(0.2 * w);
      g.WorldName[w] = WorldNameOf(w);
      Neutral(w);
    }
    g.GameYear = 1.0f;
    g.CurrentPlayer = 0;
    Seat(0, level);
    Own(kHomeWorld0, 0);
    g.WorldProduction[kHomeWorld0] = 10;
    g.WorldClass[kHomeWorld0] = 5;
    g.WorldShips[kHomeWorld0] = 0;
    g.setup.OptRadar = {true, false, false};
  }

  void Seat(int seat, int level) {
    game.PlayerName[seat] = kCpuNames[static_cast<size_t>(level > 0 ? level - 1 : 0)];
    game.setup.txtPL[seat] = game.PlayerName[seat];
    game.setup.chkAI[seat] = level > 0 ? 1 : 0;
    game.setup.txtAI[seat] = level > 0 ? std::to_string(level) : "";
  }

  // A neutral world with plain values: nothing known of it but its class.
  void Neutral(int w, int production = 5, int shipClass = 1, float ships = 30) {
    Game& g = game;
    g.WorldOwner[w] = 0;
    g.WorldProduction[w] = static_cast<uint8_t>(production);
    g.WorldClass[w] = static_cast<uint8_t>(shipClass);
    g.WorldShips[w] = ships;
    g.WorldShield[w] = 0;
    g.WorldShieldOn[w] = 0;
    g.WorldKnownStat[w] = 2;
    g.WorldType[w] = 0;
    g.WorldBombs[w] = 0;
  }

  // An idle world of a seat: no ships, no bombs, class 1 (worth nothing to the gathering).
  void Own(int w, int seat = 0, float ships = 0) {
    Neutral(w);
    game.WorldOwner[w] = static_cast<uint8_t>(seat + 1);
    game.WorldShips[w] = ships;
  }

  // Every world but those listed belongs to seat 0 and stays idle.
  void OwnAllBut(const std::vector<int>& others) {
    for (int w = 0; w < game.WorldCount; ++w) {
      bool listed = w == kHomeWorld0;
      for (int o : others) listed = listed || o == w;
      if (!listed) Own(w);
    }
  }

  float Years(int from, int to, int ahead = 0) {
    float years = 0, angle = 0;
    PDistCalc(game, from, to, years, angle, kQuickStep, ahead);
    return years;
  }

  // Turns world `to` on its ring (and, when no angle will do, `from` a little too) until the trip
  // from `from` takes exactly `ticks`.
  bool PlaceAt(int from, int to, int ticks) { return Place(from, to, to, ticks); }
  // The same turning `from`.
  bool PlaceSourceAt(int from, int to, int ticks) { return Place(from, to, from, ticks); }

  bool Place(int from, int to, int turned, int ticks) {
    const float want = static_cast<float>(ticks / 520.0);
    const int other = turned == to ? from : to;
    const float otherStart = game.WorldAngle[other];
    for (int shift = 0; shift < 8; ++shift) {
      game.WorldAngle[other] = static_cast<float>(otherStart + 0.013 * shift);
      QuickSolver solver;
      for (int i = 0; i < 62832; ++i) {
        game.WorldAngle[turned] = static_cast<float>(i * 0.0001);
        float years = 0, angle = 0;
        solver.Price(game, from, to, 0, years, angle);
        if (years == want) return Years(from, to) == want;
      }
    }
    return false;
  }

  int UsedSlots() const {
    int n = 0;
    for (int s = 0; s < kUsedFleetSlots; ++s) n += game.FleetFrom[s] != 0;
    return n;
  }

  std::vector<Order> Orders() const {
    std::vector<Order> out;
    for (int s = 0; s < kUsedFleetSlots; ++s)
      if (game.FleetFrom[s] != 0)
        out.push_back({game.FleetFrom[s] - 1, game.FleetTo[s] - 1, game.FleetShips[s]});
    return out;
  }

  // An object of a seat already on its way, `moved` years into a trip of `trip` years.
  int Flying(int seat, int from, int to, float ships, float trip = 0.2f, float moved = 0.0f,
             float angle = 0) {
    Game& g = game;
    for (int s = 0; s < kUsedFleetSlots; ++s) {
      if (g.FleetFrom[s] != 0) continue;
      g.FleetFrom[s] = static_cast<uint8_t>(from + 1);
      g.FleetTo[s] = static_cast<uint8_t>(to + 1);
      g.FleetOwner[s] = static_cast<uint8_t>(seat + 1);
      g.FleetShips[s] = ships;
      g.FleetClass[s] = 1;
      g.FleetTripTime[s] = trip;
      g.FleetTimeLeft[s] = static_cast<double>(trip) - moved;
      g.FleetAngleParam[s] = angle;
      return s;
    }
    return -1;
  }
};

}  // namespace zarnath::testing
