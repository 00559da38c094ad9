// Setting up the setup window's choices for a new galaxy and generating it the way the Start
// button does (clear, worlds, seats), without the rest of the game start.
#pragma once

#include <array>
#include <string>

#include "model/data_set.h"
#include "model/galaxy.h"
#include "model/game.h"
#include "model/numbers.h"

namespace zarnath::testing {

// One seat of the setup window: an empty name is an empty seat; level 0 is a human, 1..6 a
// computer player of that level.
struct SeatChoice {
  std::string name;
  int level = 0;
};

inline SeatChoice Human(const std::string& name) {
  return {name, 0};
}
inline SeatChoice Computer(int level) {
  return {kCpuNames[static_cast<size_t>(level - 1)], level};
}
inline SeatChoice Empty() {
  return {};
}

inline void ChooseSeats(Game& g, const std::array<SeatChoice, kSeats>& seats) {
  for (int p = 0; p < kSeats; ++p) {
    g.setup.txtPL[p] = seats[p].name;
    g.setup.chkAI[p] = seats[p].level > 0 ? 1 : 0;
    g.setup.txtAI[p] = seats[p].level > 0 ? std::to_string(seats[p].level) : "";
  }
}

// The generation as the game start runs it, for `worlds` worlds.
inline void Generate(Game& g, int worlds, const std::array<SeatChoice, kSeats>& seats, int treasures,
                     int maxProduction = 15) {
  ChooseSeats(g, seats);
  g.setup.txtOp[0] = std::to_string(maxProduction);
  g.setup.txtOp[1] = std::to_string(treasures);
  g.WorldCount = static_cast<uint8_t>(worlds);
  DataSet(g);
  GenerateWorlds(g);
  PlaceSeats(g);
}

// Counts by kind of the treasures hidden on neutral worlds.
struct TreasureCounts {
  int fuel = 0, bomb = 0, ships = 0, crystal = 0;
  bool operator==(const TreasureCounts&) const = default;
};

inline TreasureCounts CountTreasures(const GameState& g) {
  TreasureCounts c;
  for (int w = 0; w < g.WorldCount; ++w) {
    if (g.WorldOwner[w] != 0) continue;
    const int t = g.WorldType[w];
    if (t == kTypeFuel) ++c.fuel;
    if (t == kTypeBomb) ++c.bomb;
    if (t == kTypeCrystal) ++c.crystal;
    if (t >= 4) ++c.ships;
  }
  return c;
}

}  // namespace zarnath::testing
