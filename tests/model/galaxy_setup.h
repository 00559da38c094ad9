// New galaxies made as the Start button makes them (clear, worlds, seats), and the rings they keep.
#pragma once

#include <array>
#include <string>

#include "fixtures/test_game.h"
#include "model/data_set.h"
#include "model/galaxy.h"
#include "model/numbers.h"

namespace zarnath::testing {

inline constexpr std::array<int, kMaxWorlds> kRingOf = {50,  70,  90,  110, 150, 170, 190, 210, 130, 130,
                                                        130, 130, 210, 190, 170, 150, 110, 90,  70,  210,
                                                        190, 170, 150, 110, 210, 190, 170, 150, 210, 190};

// One seat: an empty name is an empty seat; level 0 is a human, 1..6 a computer player.
struct SeatChoice {
  std::string name;
  int level = 0;
};
using Seats = std::array<SeatChoice, kSeats>;
inline const auto Human = [](const std::string& name) { return SeatChoice{name, 0}; };
inline const auto Computer = [](int level) { return SeatChoice{kCpuNames.at(level - 1), level}; };
inline const Seats kAnnAlone = {Human("Ann"), {}, {}, {}};

// A game holding a new galaxy of `worlds` worlds drawn from `seed`.
struct Galaxy : TestGame {
  Galaxy(int worlds, const Seats& seats, const std::string& treasures = "0", uint64_t seed = 1,
         int maxProduction = 15) {
    game.random.Seed(seed);
    for (int p = 0; p < kSeats; ++p) {
      game.setup.txtPL[p] = seats[p].name, game.setup.chkAI[p] = seats[p].level > 0;
      game.setup.txtAI[p] = seats[p].level > 0 ? std::to_string(seats[p].level) : "";
    }
    game.setup.txtOp[0] = std::to_string(maxProduction), game.setup.txtOp[1] = treasures;
    game.WorldCount = static_cast<uint8_t>(worlds);
    DataSet(game), GenerateWorlds(game), PlaceSeats(game);
  }
};

// Four entries of a table from `first` on, one for each seat.
template <class T, class Table>
std::array<T, 4> Four(const Table& t, int first) {
  return {T(t[first]), T(t[first + 1]), T(t[first + 2]), T(t[first + 3])};
}

// Treasures hidden on neutral worlds: fuel, bomb, ships, crystal.
using TreasureCounts = std::array<int, 4>;
inline TreasureCounts CountTreasures(const GameState& g) {
  TreasureCounts c{};
  for (int w = 0; w < g.WorldCount; ++w) {
    const int t = g.WorldType[w];
    if (g.WorldOwner[w] == 0 && t > 0)
      ++c[t == kTypeFuel ? 0 : t == kTypeBomb ? 1 : t == kTypeCrystal ? 3 : 2];
  }
  return c;
}

}  // namespace zarnath::testing
