// Saving and loading a 30-world game with 100 objects in flight.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "engine/game_start.h"
#include "engine/save_load.h"
#include "headless/headless_ports.h"
#include "model/game.h"
#include "net/lobby.h"
#include "persist/saved_game.h"

namespace zarnath {
namespace {

struct BenchGame {
  HeadlessPorts ports;
  Game game{ports.ports()};
};

// The scratch folders made in this run, removed with everything in them when the run ends.
struct ScratchFolders {
  std::vector<std::string> made;
  ~ScratchFolders() {
    for (const std::string& folder : made) {
      std::error_code ec;
      std::filesystem::remove_all(folder, ec);
    }
  }
};

// A fresh folder under the temporary folder; the run stops when none can be made (the games
// would otherwise write their files into the working folder).
std::string Scratch() {
  static ScratchFolders folders;
  std::string pattern = (std::filesystem::temp_directory_path() / "zarnath-bench-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    std::perror("zarnath-bench: no scratch folder in the temporary folder");
    std::exit(1);
  }
  folders.made.push_back(pattern);
  return pattern;
}

// Four seats on 30 worlds, every travel slot in use, histories and logs of a long game.
void MakeFullGame(BenchGame& b, const std::string& folder) {
  Game& g = b.game;
  b.ports.recording = false;
  g.programFolder = folder;
  g.random.Seed(7);
  g.setup.txtPL = {"Ulla", "Bo", "Atlas", "Titan"};
  g.setup.chkAI = {0, 0, 1, 1};
  g.setup.txtAI = {"5", "5", "4", "5"};
  g.setup.txtPlanets = "30";
  imgStart_Click(g);
  for (int f = 0; f < kUsedFleetSlots; ++f) {
    g.FleetFrom[f] = static_cast<uint8_t>(1 + f % 30);
    g.FleetTo[f] = static_cast<uint8_t>(1 + (f * 7) % 30);
    g.FleetOwner[f] = static_cast<uint8_t>(1 + f % 4);
    g.FleetShips[f] = g.random.Next() * 900.0f;
    g.FleetClass[f] = static_cast<uint8_t>(1 + f % 5);
    g.FleetTripTime[f] = 0.05f + g.random.Next() * 0.7f;  // trips a launch can get
    g.FleetTimeLeft[f] = g.FleetTripTime[f] * (1.0 / 3.0);
    g.FleetAngleParam[f] = g.random.Next();
  }
  for (int w = 0; w < kMaxWorlds; ++w)
    for (int p = 0; p < kSeats; ++p)
      g.WorldHistory[p][w] = "   Year 2.35, Turn #27:\r\n  Ships: 123.4567\r\n  Shield: 40%";
  for (int p = 0; p < kSeats; ++p)
    for (int i = 0; i < 200; ++i) g.PlayerLog[p] += "\r\n   Year 2.35, Turn #27: a fleet of 12 ships landed";
}

void BM_SavedGameText(benchmark::State& state) {
  BenchGame b;
  MakeFullGame(b, Scratch());
  size_t bytes = 0;
  for (auto _ : state) {
    std::string text = SavedGameText(b.game);
    bytes = text.size();
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_SavedGameText);

void BM_ReadSavedGame(benchmark::State& state) {
  BenchGame b;
  MakeFullGame(b, Scratch());
  const std::string text = SavedGameText(b.game);
  BenchGame target;
  for (auto _ : state) {
    SavedGameRead read = ReadSavedGame(target.game, text);
    if (!read.state) state.SkipWithError("refused");
    benchmark::DoNotOptimize(read);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadSavedGame);

// The whole save: the text, a temporary file flushed to the disk and the rename. Twice: once
// timed by the processor time the save takes (its "CPU" column; the waits for the disk are not
// in it) and once by the wall-clock time, which the flushes to the disk dominate.
void BM_SaveGameFile(benchmark::State& state) {
  const std::string folder = Scratch();
  BenchGame b;
  MakeFullGame(b, folder);
  const std::string path = folder + "/bench.zq";
  for (auto _ : state)
    if (!SaveGame(b.game, path)) state.SkipWithError("save failed");
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveGameFile)->Name("BM_SaveGameFile/cpu")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveGameFile)
    ->Name("BM_SaveGameFile/wall_with_fsync")
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// The whole load: the file read, checked and taken over, and play restarted.
void BM_LoadSavedGameFile(benchmark::State& state) {
  const std::string folder = Scratch();
  BenchGame b;
  MakeFullGame(b, folder);
  const std::string path = folder + "/bench.zq";
  SaveGame(b.game, path);
  BenchGame target;
  target.ports.recording = false;
  for (auto _ : state)
    if (LoadSavedGame(target.game, path) != LoadOutcome::kLoaded) state.SkipWithError("load failed");
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LoadSavedGameFile)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zarnath
