// The interception search per call, and one turn of orbits in a speed game with a full table.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <utility>

#include "engine/turn.h"
#include "headless/headless_ports.h"
#include "model/galaxy.h"
#include "model/game.h"
#include "model/orbit_step.h"
#include "model/travel_time.h"

namespace zarnath {
namespace {

// A generated 30-world galaxy, seat 0 a human player.
struct BenchGame {
  HeadlessPorts ports;
  Game game{ports.ports()};
  BenchGame() {
    ports.recording = false;
    game.random.Seed(20240611);
    game.WorldCount = 30;
    game.setup.txtOp = {"15", "8", "3"};
    GenerateWorlds(game);
    game.PlayerName[0] = "Ann";
    game.GameYear = 1.05f;
  }
};

// Representative trips: across the home ring, innermost to outermost ring and back, within the
// 110 ring, between two outer neighbours.
constexpr std::array<std::pair<int, int>, 5> kPairs = {{{8, 10}, {0, 7}, {7, 0}, {3, 16}, {12, 13}}};

void BM_DistCalc(benchmark::State& state) {
  BenchGame b;
  const auto [from, to] = kPairs[static_cast<size_t>(state.range(0))];
  const float step = static_cast<float>(state.range(1)) / 100.0f;
  float years = 0, angle = 0;
  for (auto _ : state) {
    DistCalc(b.game, from, to, years, angle, step);
    benchmark::DoNotOptimize(years);
    benchmark::DoNotOptimize(angle);
  }
  state.SetLabel(std::to_string(from) + "->" + std::to_string(to) + " ticks " +
                 std::to_string(years < kUnreachableYears ? static_cast<int>(years * 520.0f + 0.5f) : -1));
}
BENCHMARK(BM_DistCalc)->ArgsProduct({{0, 1, 2, 3, 4}, {5, 20}})->ArgNames({"pair", "step%"});

// Every ordered pair of the galaxy: the mean cost of one call as the nearest-world searches see it.
void BM_DistCalcAllPairs(benchmark::State& state) {
  BenchGame b;
  const float step = static_cast<float>(state.range(0)) / 100.0f;
  float years = 0, angle = 0;
  for (auto _ : state) {
    for (int from = 0; from < 30; ++from) {
      for (int to = 0; to < 30; ++to) {
        DistCalc(b.game, from, to, years, angle, step);
        benchmark::DoNotOptimize(years);
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * 900);
}
BENCHMARK(BM_DistCalcAllPairs)->Arg(5)->Arg(20)->ArgName("step%")->Unit(benchmark::kMicrosecond);

void BM_GalaxyRotateSpeedGame100InFlight(benchmark::State& state) {
  BenchGame b;
  Game& g = b.game;
  g.SpeedGame = true;
  std::array<double, kUsedFleetSlots> left{};
  for (int s = 0; s < kUsedFleetSlots; ++s) {
    const int from = s % 30, to = (s * 7 + 3) % 30;
    float years = 0, angle = 0;
    DistCalc(g, from, to, years, angle, kLaunchStep);
    g.FleetFrom[s] = static_cast<uint8_t>(from + 1);
    g.FleetTo[s] = static_cast<uint8_t>(to + 1);
    g.FleetOwner[s] = 1;
    g.FleetShips[s] = 10;
    g.FleetTripTime[s] = 0.7f;
    left[static_cast<size_t>(s)] = 0.7;
  }
  for (auto _ : state) {
    for (int s = 0; s < kUsedFleetSlots; ++s) g.FleetTimeLeft[s] = left[static_cast<size_t>(s)];
    g.PlayerLog[0].clear();
    GalaxyRotate(g);
    benchmark::DoNotOptimize(g.WorldAngle);
  }
}
BENCHMARK(BM_GalaxyRotateSpeedGame100InFlight);

}  // namespace
}  // namespace zarnath
