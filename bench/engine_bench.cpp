// The end-of-turn cycle of a speed game: 30 worlds, 100 objects in flight, ten proximity bombs
// planted, two humans at one computer, headless ports that record nothing; and the worst turn of
// a game, the table full and every object arriving in it: in a game as play leaves it, and in the
// busy galaxy above, whose worlds hold 5000 ships each.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "engine/launch.h"
#include "engine/turn.h"
#include "headless/headless_match.h"
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

// Every object in the table arriving in the coming turn: six ticks or less to go.
void ArriveThisTurn(GameState& start) {
  for (int j = 0; j < kUsedFleetSlots; ++j) {
    const size_t s = static_cast<size_t>(j);
    if (start.FleetFrom[s] != 0) start.FleetTimeLeft[s] = std::min(start.FleetTimeLeft[s], 0.01);
  }
}

// One end of turn after another from the same start, with what arrived, how many objects went to
// a foreign world (battles, scouts and bombs) and how many ships those worlds held on average.
void TimeArrivals(benchmark::State& state, Game& game, const GameState& start, uint64_t randomStart) {
  int inFlight = 0, battles = 0, scouts = 0, bombs = 0;
  double garrisons = 0;
  for (int j = 0; j < kUsedFleetSlots; ++j) {
    const size_t s = static_cast<size_t>(j);
    if (start.FleetFrom[s] == 0) continue;
    ++inFlight;
    scouts += start.FleetShips[s] == kScout;
    bombs += start.FleetShips[s] == kAnnihilationBomb;
    const size_t target = static_cast<size_t>(start.FleetTo[s] - 1);
    if (start.WorldOwner[target] != start.FleetOwner[s]) {
      ++battles;
      garrisons += start.WorldShips[target];
    }
  }
  int arrived = 0;
  for (auto _ : state) {
    state.PauseTiming();
    game.state() = start;
    game.random.SetState(randomStart);
    state.ResumeTiming();
    EndTurn(game);
    benchmark::DoNotOptimize(game.WorldShips[0]);
    state.PauseTiming();
    arrived = 0;
    for (int j = 0; j < kUsedFleetSlots; ++j) arrived += game.FleetFrom[static_cast<size_t>(j)] == 0;
    state.ResumeTiming();
  }
  state.counters["in_flight"] = inFlight;
  state.counters["arrived"] = arrived;
  state.counters["battles"] = battles;
  state.counters["scouts"] = scouts;
  state.counters["bombs"] = bombs;
  state.counters["foreign_garrison"] = battles > 0 ? garrisons / battles : 0.0;
}

// The worst turn of a game as play leaves it: four level-6 players on 30 worlds at turn 10 of a
// speed game (the busiest turns of these games lie about there), their worlds' garrisons as they
// stand, the table filled up with what they could send (fleets of a quarter or half of a world's
// ships, a scout where that is less than a ship, every tenth object a scout, every tenth a bomb
// while a world holds one) and every object arriving in
// the coming turn: reinforcements, battles, scouts and bombs.
struct PlayedGalaxy {
  HeadlessPorts ports;
  Game game{ports.ports()};
  GameState start;
  uint64_t randomStart = 0;

  PlayedGalaxy() {
    MatchOptions o;
    o.seed = 77;
    o.worlds = 30;
    o.levels = {6, 6, 6, 6};
    o.speedGame = true;
    o.maxTurns = 10;
    {
      HeadlessMatch match(o);
      match.Play();
      game.state() = match.game().state();
    }
    Game& g = game;
    ports.recording = false;
    ports.onGameCheck = [this] { GameCheck(game); };
    g.random.Seed(42);
    const int seat = g.CurrentPlayer;
    for (int n = 0, attempt = 0; attempt < 10000; ++attempt) {
      int used = 0;
      for (int j = 0; j < kUsedFleetSlots; ++j) used += g.FleetFrom[static_cast<size_t>(j)] != 0;
      if (used == kUsedFleetSlots) break;
      int from = static_cast<int>(g.random.Next() * g.WorldCount);
      const int to = static_cast<int>(g.random.Next() * g.WorldCount);
      LaunchKind kind = LaunchKind::kFleet;
      float count = 0;
      if (n % 10 == 7) {
        for (int w = 0; w < g.WorldCount; ++w)
          if (g.WorldOwner[w] != 0 && g.WorldBombs[w] > 0) {
            from = w;
            kind = LaunchKind::kAnnihilationBomb;
            break;
          }
      }
      if (from == to || g.WorldOwner[from] == 0) continue;
      if (n % 10 == 3) {
        kind = LaunchKind::kScout;
      } else if (kind == LaunchKind::kFleet) {
        count = static_cast<float>(static_cast<int>(g.WorldShips[from] * (25 * (1 + n % 2)) / 100.0));
        if (count < 1.0f) kind = LaunchKind::kScout;
      }
      if (Send(g, kind, from, to, count) == LaunchResult::kLaunched) ++n;
    }
    g.CurrentPlayer = static_cast<int16_t>(seat);
    ArriveThisTurn(g.state());
    start = g.state();
    randomStart = g.random.State();
  }

  static LaunchResult Send(Game& g, LaunchKind kind, int from, int to, float count) {
    g.CurrentPlayer = static_cast<int16_t>(g.WorldOwner[from] - 1);
    g.SelectedFrom = static_cast<int16_t>(from);
    g.SelectedTo = static_cast<int16_t>(to);
    return Launch(g, LaunchOrder{from, to, kind, count});
  }
};

void BM_EndTurnEveryObjectArriving(benchmark::State& state) {
  PlayedGalaxy played;
  TimeArrivals(state, played.game, played.start, played.randomStart);
}
BENCHMARK(BM_EndTurnEveryObjectArriving)->Unit(benchmark::kMicrosecond);

// The same in the busy galaxy: about half of the objects reinforcing their owner's worlds and the
// rest fighting the 5000 ships of foreign ones, some 20,000 shots a turn.
void BM_EndTurnEveryObjectArrivingAt5000ShipWorlds(benchmark::State& state) {
  BusyGalaxy busy;
  ArriveThisTurn(busy.start);
  TimeArrivals(state, busy.game, busy.start, busy.randomStart);
}
BENCHMARK(BM_EndTurnEveryObjectArrivingAt5000ShipWorlds)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zarnath
