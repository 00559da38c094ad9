// The galaxy window's redraws on the offscreen platform at the game's own geometry (a 1024 x 768
// screen): the full redraw of a 30-world game with 100 objects in flight against a plain copy of
// the background into the canvas (the floor of any redraw), the same redraw while the worlds move
// on between redraws (nothing drawn twice at one spot, with the memory it keeps), one tick of the orbit
// animation, and the light redraw. It refuses to run on any other geometry.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScreen>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include <sys/resource.h>

#include "engine/battle.h"
#include "engine/game_window.h"
#include "engine/launch.h"
#include "engine/turn.h"
#include "headless/headless_ports.h"
#include "model/data_set.h"
#include "model/fleet_table.h"
#include "model/galaxy.h"
#include "model/game.h"
#include "model/orbit_step.h"
#include "model/view_geometry.h"
#include "shell/desktop_platform.h"
#include "view/galaxy_window.h"
#include "view/program_folder.h"

namespace zarnath {

// Two human seats at one computer with unlimited radar, so every object is drawn; worlds owned
// alternately, bombs stored and planted, 100 objects between the worlds.
struct BusyView {
  HeadlessPorts ports;
  GalaxyWindow window;
  Game game{Ports{ports, window, ports, ports}};
  int inFlight = 0;
  bool laidOut = false;  // the game window took the game's geometry
  PerWorld<float> angles{};

  BusyView() {
    Game& g = game;
    ports.recording = false;
    window.Attach(g);
    laidOut = FormSetup(g) && g.GalaxyCenterX == kCenterX && g.GalaxyCenterY == kCenterY;
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
      if (Launch(g, ships == 0 ? LaunchOrder::Scout(from, to) : LaunchOrder::Fleet(from, to, ships)) ==
          LaunchResult::kLaunched)
        ++inFlight;
    }
    // Every object some way along its path.
    for (int s = 0; s < kUsedFleetSlots; ++s)
      if (g.FleetFrom[s]) g.FleetTimeLeft[s] = g.FleetTripTime[s] * 0.6;
    g.CurrentPlayer = 0;
    g.SelectedFrom = g.SelectedTo = -1;
    angles = g.WorldAngle;
  }

  // The worlds (and with them every object in flight) as they stand `ticks` orbit ticks on.
  void Turn(long ticks) {
    for (int w = 0; w < game.WorldCount; ++w)
      game.WorldAngle[w] =
          static_cast<float>(angles[w] + static_cast<double>(ticks) * game.WorldAngularSpeed[w]);
  }
};

double PeakResidentMib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // KiB on Linux
}

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
    benchmark::DoNotOptimize(std::as_const(canvas).image().constBits());
  }
}
BENCHMARK(BM_BackgroundCopy)->Unit(benchmark::kMicrosecond);

void BM_GalaxyDraw(benchmark::State& state) {
  BusyView& v = View();
  for (auto _ : state) {
    v.window.GalaxyDraw();
    benchmark::DoNotOptimize(std::as_const(v.window.canvas()).image().constBits());
  }
  state.counters["in_flight"] = v.inFlight;
}
BENCHMARK(BM_GalaxyDraw)->Unit(benchmark::kMicrosecond);

// Every redraw with the worlds one tick further on, as after each step of the orbits.
void BM_GalaxyDrawMoving(benchmark::State& state) {
  BusyView& v = View();
  long tick = 0;
  for (auto _ : state) {
    v.Turn(++tick);
    v.window.GalaxyDraw();
    benchmark::DoNotOptimize(std::as_const(v.window.canvas()).image().constBits());
  }
  v.Turn(0);
  // The memory the moving scene leaves kept beside the canvas (drawings, circle stamps and their
  // pictures), and the process's peak resident memory so far.
  state.counters["kept_kib"] = static_cast<double>(v.window.canvas().keptBytes()) / 1024.0;
  state.counters["peak_rss_mib"] = PeakResidentMib();
}
BENCHMARK(BM_GalaxyDrawMoving)->Unit(benchmark::kMicrosecond);

// One frame of the orbit animation: the worlds a tick on, the objects in flight and their marks.
void BM_OrbitTick(benchmark::State& state) {
  BusyView& v = View();
  long tick = 0;
  for (auto _ : state) {
    v.Turn(++tick);
    v.window.DrawOrbitTick();
    v.window.DrawDestinationMarks();
    benchmark::DoNotOptimize(std::as_const(v.window.canvas()).image().constBits());
  }
  v.Turn(0);
}
BENCHMARK(BM_OrbitTick)->Unit(benchmark::kMicrosecond);

// The whole orbit animation of a turn on the desktop platform, in real time: every frame drawn,
// shown and held for its 50 ms. At its pace 26 ticks take 1.30 s and 20 ticks go by a second.
void BM_OrbitAnimation(benchmark::State& state) {
  BusyView& v = View();
  DesktopPlatform desktop;
  desktop.scripted = desktop.muted = true;
  Game paced{Ports{desktop, v.window, v.ports, v.ports}};
  static_cast<GameState&>(paced) = v.game;
  v.window.Attach(paced);
  const int ticks = static_cast<int>(std::nearbyint(paced.WorldRadius[kHomeWorld0] * 4.0 * 0.05));
  for (auto _ : state) {
    state.PauseTiming();
    static_cast<GameState&>(paced) = v.game;
    state.ResumeTiming();
    GalaxyRotate(paced);
  }
  v.window.Attach(v.game);
  state.counters["ticks"] = ticks;
  state.counters["ticks_per_s"] = benchmark::Counter(
      static_cast<double>(ticks) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OrbitAnimation)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// A battle shown shot by shot on the desktop platform, in real time, with a shot delay of 30 ms:
// the time from one shot's panel to the next one's (the median over the battle) is the delay,
// whatever showing a shot takes.
void BM_BattleShots(benchmark::State& state) {
  BusyView& v = View();
  DesktopPlatform desktop;
  desktop.scripted = desktop.muted = true;
  Game paced{Ports{desktop, v.window, v.ports, v.ports}};
  v.window.Attach(paced);
  std::vector<double> shown, gaps;  // when each panel showed, ms
  v.window.onRefresh = [&](Control c) {
    if (c == Control::kBattleFrames)
      shown.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch())
              .count());
  };
  for (auto _ : state) {
    state.PauseTiming();
    static_cast<GameState&>(paced) = v.game;
    paced.random.Seed(7);
    const int to = paced.FleetTo[0] - 1;
    paced.FleetTimeLeft[0] = 0;
    paced.FleetShips[0] = 100;
    paced.WorldShips[to] = 100;  // a shot delay of 30 ms
    paced.WorldOwner[to] = static_cast<uint8_t>(3 - paced.FleetOwner[0]);
    shown.clear();
    state.ResumeTiming();
    Battle(paced, 0);
    state.PauseTiming();
    for (size_t k = 1; k < shown.size(); ++k) gaps.push_back(shown[k] - shown[k - 1]);
    state.ResumeTiming();
  }
  v.window.onRefresh = nullptr;
  v.window.Attach(v.game);
  std::nth_element(gaps.begin(), gaps.begin() + static_cast<long>(gaps.size() / 2), gaps.end());
  state.counters["ms_between_shots"] = gaps.empty() ? 0 : gaps[gaps.size() / 2];
  state.counters["shots"] = static_cast<double>(gaps.size()) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_BattleShots)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_CleanGalaxy(benchmark::State& state) {
  BusyView& v = View();
  for (auto _ : state) {
    v.window.CleanGalaxy();
    benchmark::DoNotOptimize(std::as_const(v.window.canvas()).image().constBits());
  }
}
BENCHMARK(BM_CleanGalaxy)->Unit(benchmark::kMicrosecond);

}  // namespace zarnath

int main(int argc, char** argv) {
  // The game's screen: 1024 x 768 at 96 dots per inch (the offscreen platform's own screen is
  // 800 px wide, too narrow for the game window).
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (!platform || std::string_view(platform) == "offscreen")
    setenv("QT_QPA_PLATFORM", "offscreen:configfile=" ZARNATH_BENCH_SCREEN_CONFIG, 1);
  QApplication app(argc, argv);
  zarnath::SetProgramFolder(QStringLiteral(ZARNATH_BENCH_PROGRAM_DIR));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  // A redraw measured at another geometry measures something else: refuse it.
  if (!zarnath::View().laidOut) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize();
    std::fprintf(stderr,
                 "zarnath-view-bench: the game window was refused on this %d x %d screen (the galaxy "
                 "would be drawn at the corner); it needs a screen at least 1024 px wide, e.g. "
                 "QT_QPA_PLATFORM=offscreen:configfile=%s\n",
                 size.width(), size.height(), ZARNATH_BENCH_SCREEN_CONFIG);
    zarnath::busyView.reset();
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  zarnath::busyView.reset();
  return 0;
}
