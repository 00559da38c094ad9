// The galaxy window's redraws on the offscreen platform: the full redraw of a 30-world game with
// 100 objects in flight against a plain copy of the 1024 x 768 background into the canvas (the
// floor of any redraw), and the light redraw.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "model/data_set.h"
#include "model/fleet_table.h"
#include "model/galaxy.h"
#include "model/game.h"
#include "headless/headless_ports.h"
#include "model/view_geometry.h"
#include "shell/program_folder.h"
#include "view/galaxy_window.h"

namespace zarnath {

// Two human seats at one computer with unlimited radar, so every object is drawn; worlds owned
// alternately, bombs stored and planted, 100 objects between the worlds.
struct BusyView {
  HeadlessPorts ports;
  GalaxyWindow window;
  Game game{Ports{ports, window, ports, ports}};
  int inFlight = 0;

  BusyView() {
    Game& g = game;
    ports.recording = false;
    window.Attach(g);
    FormSetup(g);
    g.PlayerColor = kPlayerColors;
    g.random.Seed(42);
    g.setup.txtPL = {"Ann", "Bob", "", ""};
    g.setup.OptRadar = {false, false, true};
    g.WorldCount = 30;
    DataSet(g);
    GenerateWorlds(g);
    PlaceSeats(g);
    g.GameYear = 1.0f;
    for (int w = 0; w < g.WorldCount; ++w) {
      g.WorldOwner[w] = static_cast<uint8_t>(w % 2 + 1);
      g.WorldShips[w] = 5000;
      g.WorldBombs[w] = 3;
    }
    for (int k = 0; k < 10; ++k) {
      g.ProxBombOwner[k] = static_cast<int16_t>(k % 2 + 1);
      g.ProxBombWorld[k] = static_cast<float>(3 * k);
    }
    for (int attempt = 0; inFlight < kUsedFleetSlots && attempt < 10000; ++attempt) {
      const int from = static_cast<int>(g.random.Next() * 30), to = static_cast<int>(g.random.Next() * 30);
      if (from == to) continue;
      g.CurrentPlayer = static_cast<int16_t>(g.WorldOwner[from] - 1);
      g.SelectedFrom = static_cast<int16_t>(from);
      g.SelectedTo = static_cast<int16_t>(to);
      const float ships = static_cast<float>(inFlight % 4 == 0 ? 0 : 5 + inFlight * 7 % 900);
      if (Launch(g, LaunchOrder{ships == 0 ? LaunchKind::kScout : LaunchKind::kFleet, ships}) ==
          LaunchResult::kLaunched)
        ++inFlight;
    }
    // Every object some way along its path.
    for (int s = 0; s < kUsedFleetSlots; ++s)
      if (g.FleetFrom[s]) g.FleetTimeLeft[s] = g.FleetTripTime[s] * 0.6;
    g.CurrentPlayer = 0;
    g.SelectedFrom = g.SelectedTo = -1;
  }
};

// Made once the application exists and gone before it ends.
std::unique_ptr<BusyView> busyView;
BusyView& View() {
  if (!busyView) busyView = std::make_unique<BusyView>();
  return *busyView;
}

void BM_BackgroundCopy(benchmark::State& state) {
  GalaxyCanvas& canvas = View().window.canvas();
  for (auto _ : state) {
    canvas.Clear();
    benchmark::DoNotOptimize(canvas.image().constBits());
  }
}
BENCHMARK(BM_BackgroundCopy)->Unit(benchmark::kMicrosecond);

void BM_GalaxyDraw(benchmark::State& state) {
  BusyView& v = View();
  for (auto _ : state) {
    v.window.GalaxyDraw();
    benchmark::DoNotOptimize(v.window.canvas().image().constBits());
  }
  state.counters["in_flight"] = v.inFlight;
}
BENCHMARK(BM_GalaxyDraw)->Unit(benchmark::kMicrosecond);

void BM_CleanGalaxy(benchmark::State& state) {
  BusyView& v = View();
  for (auto _ : state) {
    v.window.CleanGalaxy();
    benchmark::DoNotOptimize(v.window.canvas().image().constBits());
  }
}
BENCHMARK(BM_CleanGalaxy)->Unit(benchmark::kMicrosecond);

}  // namespace zarnath

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  zarnath::SetProgramFolder(QStringLiteral(ZARNATH_BENCH_PROGRAM_DIR));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  zarnath::busyView.reset();
  return 0;
}
