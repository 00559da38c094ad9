// The computer player: one turn of a level-6 player in a 30-world game in full swing, the
// nearest-world search it makes for every own world (against pricing each trip with the solver
// afresh), and whole games between four computer players without a screen.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>

#include "ai/computer_turn.h"
#include "headless/headless_match.h"
#include "headless/headless_ports.h"
#include "model/game.h"
#include "model/nearest.h"
#include "model/travel_time.h"

namespace zarnath {
namespace {

// A game of four level-6 players on 30 worlds, played to the start of turn `turns`.
GameState MidGame(int turns) {
  MatchOptions o;
  o.seed = 77;
  o.worlds = 30;
  o.levels = {6, 6, 6, 6};
  o.speedGame = true;
  o.maxTurns = turns;
  HeadlessMatch match(o);
  match.Play();
  return match.game().state();
}

// The turn of the seat that owns most worlds.
void BM_ComputerTurnLevel6(benchmark::State& state) {
  GameState start = MidGame(static_cast<int>(state.range(0)));
  std::array<int, kSeats> owned{};
  for (int w = 0; w < start.WorldCount; ++w)
    if (start.WorldOwner[w] >= 1) ++owned[start.WorldOwner[w] - 1u];
  start.CurrentPlayer = static_cast<int16_t>(std::max_element(owned.begin(), owned.end()) - owned.begin());
  const int worlds = owned[static_cast<size_t>(start.CurrentPlayer)];
  HeadlessPorts ports;
  ports.recording = false;
  Game g(ports.ports());
  for (auto _ : state) {
    state.PauseTiming();
    g.state() = start;
    state.ResumeTiming();
    ComputerTurn(g);
    benchmark::DoNotOptimize(g.FleetFrom);
  }
  state.counters["own_worlds"] = worlds;
}
BENCHMARK(BM_ComputerTurnLevel6)->Arg(10)->Arg(25)->Unit(benchmark::kMillisecond);

void BM_NearestFrom30Worlds(benchmark::State& state) {
  GameState g = MidGame(10);
  for (auto _ : state) {
    NearestFrom(g, kHomeWorld0, 1);
    benchmark::DoNotOptimize(g.NearestList);
  }
}
BENCHMARK(BM_NearestFrom30Worlds)->Unit(benchmark::kMicrosecond);

// The same 29 trips priced one by one with the solver, as the search would without its tables.
void BM_NearestFromTripByTrip(benchmark::State& state) {
  const GameState g = MidGame(10);
  for (auto _ : state) {
    float years = 0, angle = 0, sum = 0;
    for (int w = 0; w < g.WorldCount; ++w) {
      if (w == kHomeWorld0) continue;
      DistCalc(g, kHomeWorld0, w, years, angle, kQuickStep);
      sum += years;
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_NearestFromTripByTrip)->Unit(benchmark::kMicrosecond);

// Whole games of four computer players (levels 1, 3, 5 and 6) on 9 to 30 worlds, speed game.
void BM_WholeGames(benchmark::State& state) {
  int64_t games = 0, turns = 0;
  uint64_t seed = 0;
  for (auto _ : state) {
    MatchOptions o;
    o.seed = 300 + seed % 8;
    o.worlds = 9 + static_cast<int>(seed % 8) * 3;
    o.levels = {1, 3, 5, 6};
    o.speedGame = true;
    ++seed;
    HeadlessMatch match(o);
    turns += match.Play().turns;
    ++games;
  }
  state.counters["games_per_second"] =
      benchmark::Counter(static_cast<double>(games), benchmark::Counter::kIsRate);
  state.counters["turns_per_game"] = static_cast<double>(turns) / static_cast<double>(games);
}
BENCHMARK(BM_WholeGames)->Unit(benchmark::kMillisecond)->Iterations(32);

}  // namespace
}  // namespace zarnath
