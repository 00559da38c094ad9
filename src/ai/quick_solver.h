// The travel-time solver with the quick launch-parameter step, for many trips between the worlds
// as they stand at one moment.
//
// The solver tries every launch parameter a against every tick t and takes the least t at which
// the object's angle and the destination's angle fall into the same 0.01-radian bin (the lowest a
// among equals). The object's bin at (a, t) depends only on the origin world and the bin of the
// destination at t only on the destination, so both are worked out once per world and kept: a
// computer turn prices hundreds of trips from and to the same few worlds. The answers are those
// of DistCalc and PDistCalc (same arithmetic, same order of trials); a table is rebuilt when the
// world it was built from has moved, turned to another speed or changed its fuel, and a world
// whose bins do not fit the tables is priced by the solver itself.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace zarnath {
struct GameState;

class QuickSolver {
 public:
  QuickSolver();
  // Earliest interception from one world to another for a launch `ahead` ticks from now: years
  // (10000 when unreachable) and the launch parameter (0 when unreachable).
  void Price(const GameState& g, int fromWorld, int toWorld, int ahead, float& years, float& angle);

  // Launch parameters tried with the quick step (79), padded to whole vectors.
  static constexpr int kColumns = 80;

 private:
  // Bins of an object leaving one world: rows by tick, columns by launch parameter.
  struct Departures {
    float start = 0, speed = 0, rate = 0;
    int lastTick = -1;
    int rowsBuilt = 0;
    bool wide = false;                    // a bin beyond the table's range: priced by the solver instead
    std::array<float, kColumns> rates{};  // rate x a for each launch parameter
    std::unique_ptr<int16_t[]> bins;
  };
  // Bins of one world by tick.
  struct Arrivals {
    float start = 0, speed = 0;
    int lastTick = -1;
    bool wide = false;
    std::vector<int16_t> bins;
  };

  Departures& DeparturesOf(const GameState& g, int world, int ahead, int lastTick);
  Arrivals& ArrivalsOf(const GameState& g, int world, int ahead, int lastTick);
  void BuildRows(Departures& d, int upToTick);

  std::vector<float> params_;  // the launch parameters tried, in order
  std::map<std::pair<int, int>, Departures> departures_;
  std::map<std::pair<int, int>, Arrivals> arrivals_;
};

}  // namespace zarnath
