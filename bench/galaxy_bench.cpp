// One whole new galaxy: the clearing, the worlds and the seats of a 30-world, four-seat game.
#include <benchmark/benchmark.h>

#include "headless/headless_ports.h"
#include "model/data_set.h"
#include "model/galaxy.h"
#include "model/game.h"

namespace zarnath {
namespace {

void BM_GenerateGalaxy(benchmark::State& state) {
  HeadlessPorts ports;
  ports.recording = false;
  Game g(ports.ports());
  g.setup.txtPL = {"Ann", "Phoebe", "Titan", "Hyperion"};
  g.setup.chkAI = {0, 1, 1, 1};
  g.setup.txtAI = {"", "2", "5", "6"};
  g.setup.txtOp = {"15", "8", "3"};
  g.WorldCount = 30;
  g.random.Seed(12345);
  for (auto _ : state) {
    DataSet(g);
    GenerateWorlds(g);
    PlaceSeats(g);
    benchmark::DoNotOptimize(g.WorldAngle.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_GenerateGalaxy);

}  // namespace
}  // namespace zarnath
