// The end-of-turn cycle of a speed game: 30 worlds, 100 objects in flight, ten proximity bombs
// planted, two humans at one computer, headless ports that record nothing; and the worst turn of
// such a game, the table full and every object arriving in it.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "engine/launch.h"
#include "engine/turn.h"
#include "headless/headless_ports.h"
#include "model/data_set.h"
#include "model/fleet_table.h"
#include "model/galaxy.h"
#include "model/game.h"
#include "model/view_geometry.h"

namespace zarnath {
namespace {

struct BusyGalaxy {
  HeadlessPorts ports;
  Game game{ports.ports()};
  GameState start;
  uint64_t randomStart = 0;

  BusyGalaxy() {
    Game& g = game;
    ports.recording = false;
    ports.onGameCheck = [this] { GameCheck(game); };
    g.PlayerColor = kPlayerColors;
    g.GalaxyCenterX = kCenterX;
    g.GalaxyCenterY = kCenterY;
    g.GalaxyScaleX = (static_cast<double>(kCenterX) + kCenterX) / 460.0;
    g.GalaxyScaleY = static_cast<double>(kCenterY) * 3.0 / 750.0;
    g.random.Seed(42);
    g.setup.txtPL = {"Ann", "Bob", "", ""};
    g.WorldCount = 30;
    DataSet(g);
    GenerateWorlds(g);
    PlaceSeats(g);
    g.GameYear = 1.0f;
    g.SpeedGame = true;
    for (int w = 0; w < g.WorldCount; ++w) {
      g.WorldOwner[w] = static_cast<uint8_t>(w % 2 + 1);
      g.WorldShips[w] = 5000;
      g.WorldBombs[w] = 3;
    }
    for (int k = 0; k < 10; ++k) {
      g.ProxBombOwner[k] = static_cast<int16_t>(k % 2 + 1);
      g.ProxBombWorld[k] = static_cast<float>(3 * k);
      g.ProxBombThreshold[k] = 5000;  // rarely fires, so every object is scanned all the way
    }
    // 100 objects between the worlds, with trips of every length.
    int launched = 0;
    for (int attempt = 0; launched < kUsedFleetSlots && attempt < 10000; ++attempt) {
      const int from = static_cast<int>(g.random.Next() * 30), to = static_cast<int>(g.random.Next() * 30);
      if (from == to) continue;
      g.CurrentPlayer = static_cast<int16_t>(g.WorldOwner[from] - 1);
      g.SelectedFrom = static_cast<int16_t>(from);
      g.SelectedTo = static_cast<int16_t>(to);
      const float ships = static_cast<float>(5 + launched * 7 % 400);
      if (Launch(g, LaunchOrder::Fleet(from, to, ships)) == LaunchResult::kLaunched) ++launched;
    }
    g.CurrentPlayer = 0;
    start = g.state();
    randomStart = g.random.State();
  }

  void Reset() {
    game.state() = start;
    game.random.SetState(randomStart);
  }
};

void BM_EndTurnSpeedGame(benchmark::State& state) {
  BusyGalaxy busy;
  int inFlight = 0;
  for (int j = 0; j < kUsedFleetSlots; ++j) inFlight += busy.start.FleetFrom[j] != 0;
  for (auto _ : state) {
    state.PauseTiming();
    busy.Reset();
    state.ResumeTiming();
    EndTurn(busy.game);
    benchmark::DoNotOptimize(busy.game.WorldShips[0]);
  }
  state.counters["in_flight"] = inFlight;
}
BENCHMARK(BM_EndTurnSpeedGame)->Unit(benchmark::kMicrosecond);

// The worst turn: the travel table full and all 100 objects arriving in this turn, about half of
// them reinforcing their owner's worlds and the rest fighting the 5000 ships of foreign ones.
void BM_EndTurnEveryObjectArriving(benchmark::State& state) {
  BusyGalaxy busy;
  GameState& start = busy.start;
  int inFlight = 0, battles = 0;
  for (int j = 0; j < kUsedFleetSlots; ++j) {
    const size_t s = static_cast<size_t>(j);
    if (start.FleetFrom[s] == 0) continue;
    ++inFlight;
    start.FleetTimeLeft[s] = std::min(start.FleetTimeLeft[s], 0.01);  // six ticks to go
    if (start.WorldOwner[static_cast<size_t>(start.FleetTo[s] - 1)] != start.FleetOwner[s]) ++battles;
  }

  int arrived = 0;
  for (auto _ : state) {
    state.PauseTiming();
    busy.Reset();
    state.ResumeTiming();
    EndTurn(busy.game);
    benchmark::DoNotOptimize(busy.game.WorldShips[0]);
    state.PauseTiming();
    arrived = 0;
    for (int j = 0; j < kUsedFleetSlots; ++j) arrived += busy.game.FleetFrom[static_cast<size_t>(j)] == 0;
    state.ResumeTiming();
  }
  state.counters["in_flight"] = inFlight;
  state.counters["arrived"] = arrived;
  state.counters["battles"] = battles;
}
BENCHMARK(BM_EndTurnEveryObjectArriving)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zarnath
