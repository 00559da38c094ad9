// Star systems laid out by hand for the computer player's tests: every world in play on its ring,
// neutral with plain values, and seat 0 a computer player that owns its home world.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "ai/computer_turn.h"
#include "ai/pulse_command.h"
#include "ai/turn_tables.h"
#include "fixtures/test_game.h"
#include "headless/headless_match.h"
#include "model/galaxy.h"
#include "model/nearest.h"
#include "model/numbers.h"
#include "model/travel_time.h"

namespace zarnath::testing {

inline constexpr int kHome = kHomeWorld0;

struct Order {
  int from, to;
  float ships;
  bool operator==(const Order&) const = default;
  friend void PrintTo(const Order& o, std::ostream* os) { *os << o.from << '>' << o.to << ' ' << o.ships; }
};
using Orders = std::vector<Order>;

struct AiState : TestGame {
  explicit AiState(int worlds = 9, int level = 1) {
    game.WorldCount = worlds, game.GameYear = 1.0f, game.setup.OptRadar = {true, false, false};
    for (int w = 0; w < worlds; ++w) {
      const double r = game.WorldRadius[w] = RingRadius(w);
      game.WorldAngularSpeed[w] = 130.0 * 130.0 / (r * r) * (2.0 * kPi / (130.0 * 4.0));
      game.WorldAngle[w] = 0.2 * w, game.WorldName[w] = WorldNameOf(w);
      Neutral(w);
    }
    Seat(0, level);
    Own(kHome);
    game.WorldProduction[kHome] = 10, game.WorldClass[kHome] = 5;
  }
  void Seat(int seat, int level) {  // level 0: a human seat
    game.setup.txtPL[seat] = game.PlayerName[seat] = kCpuNames[std::max(level, 1) - 1];
    game.setup.chkAI[seat] = level > 0, game.setup.txtAI[seat] = level > 0 ? std::to_string(level) : "";
  }
  // A neutral world with plain values: nothing known of it but its class.
  void Neutral(int w, int production = 5, int shipClass = 1, float ships = 30) {
    game.WorldOwner[w] = game.WorldShield[w] = game.WorldShieldOn[w] = 0;
    game.WorldProduction[w] = production, game.WorldClass[w] = shipClass;
    game.WorldShips[w] = ships, game.WorldKnownStat[w] = 2, game.WorldType[w] = game.WorldBombs[w] = 0;
  }
  void Own(int w, int seat = 0, float ships = 0) { Neutral(w, 5, 1, ships), game.WorldOwner[w] = seat + 1; }
  // Every world but the home world and those listed becomes an idle world of seat 0 (class 1).
  void OwnAllBut(const std::vector<int>& others) {
    for (int w = 0; w < game.WorldCount; ++w)
      if (w != kHome && std::find(others.begin(), others.end(), w) == others.end()) Own(w);
  }
  // What seat 0 learned of world w in turn t0.
  void Intel(int w, int t0, int shipClass, int production, int ships) {
    const int values[] = {t0, shipClass, production, ships, 0};
    for (int k = 0; k < 5; ++k) game.ScoutInfo[0][k][w] = values[k];
  }
  float Years(int from, int to, int ahead = 0) {
    float years = 0, angle = 0;
    PDistCalc(game, from, to, years, angle, kQuickStep, ahead);
    return years;
  }
  // Turns world `turned` (`to` unless given) on its ring, and when no angle will do the other
  // world a little too, until the trip from `from` to `to` takes exactly `ticks`.
  bool Place(int from, int to, int ticks, int turned = -1) {
    turned = turned < 0 ? to : turned;
    for (int shift = 0; shift < 8; ++shift) {
      game.WorldAngle[turned == to ? from : to] += shift ? 0.013f : 0.0f;
      for (int i = 0; i < 62832; ++i) {
        float years = 0, angle = 0;
        game.WorldAngle[turned] = i * 0.0001;
        PDistCalc(game, from, to, years, angle, kQuickStep, 0);
        if (years == static_cast<float>(ticks / 520.0)) return Years(from, to) == years;
      }
    }
    return false;
  }
  Orders Sent() const {
    Orders out;
    for (int s = 0; s < kUsedFleetSlots; ++s)
      if (game.FleetFrom[s] != 0)
        out.push_back({game.FleetFrom[s] - 1, game.FleetTo[s] - 1, game.FleetShips[s]});
    std::stable_sort(out.begin(), out.end(), [](const Order& a, const Order& b) { return a.from < b.from; });
    return out;
  }
  // An object of a seat already on its way, `moved` years into a trip of `trip` years.
  void Flying(int seat, int from, int to, float ships, float trip = 0.2f, float moved = 0.0f) {
    int s = 0;
    while (game.FleetFrom[s] != 0) ++s;
    game.FleetFrom[s] = from + 1, game.FleetTo[s] = to + 1, game.FleetOwner[s] = seat + 1;
    game.FleetShips[s] = ships, game.FleetClass[s] = 1, game.FleetTripTime[s] = trip;
    game.FleetTimeLeft[s] = double{trip} - moved;
  }
};

}  // namespace zarnath::testing
