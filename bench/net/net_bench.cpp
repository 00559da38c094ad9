// The full-state broadcast of a started game to three clients over loopback: from the first
// frame sent until every client has read its last one.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTcpSocket>
#include <memory>

#include "engine/game_start.h"
#include "engine/turn.h"
#include "headless/headless_ports.h"
#include "model/game.h"
#include "net/full_state.h"
#include "net/lobby.h"
#include "net/socket_network.h"

namespace zarnath {
namespace {

void FullStateToThreeClients(benchmark::State& state) {
  HeadlessPorts ports;
  ports.recording = false;
  ports.onYield = [] { QCoreApplication::processEvents(); };
  SocketNetwork net;
  Game g{Ports{ports, ports, net, ports}};
  ports.onGameCheck = [&] { GameCheck(g); };
  ports.onGalaxySync = [&] { GalaxySync(g); };
  QString error;
  if (!net.Listen(0, &error, QHostAddress::LocalHost)) {
    state.SkipWithError(error.toStdString().c_str());
    return;
  }
  std::unique_ptr<QTcpSocket> peers[3];
  for (auto& p : peers) {
    p = std::make_unique<QTcpSocket>();
    p->connectToHost(QHostAddress::LocalHost, net.ListeningPort());
  }
  while (!net.SocketConnected(3)) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  g.random.Seed(5);
  g.NetworkGame = g.setup.OptServerClient0 = true;
  g.Role = NetRole::kHost;
  g.setup.chkLan = 1;
  g.setup.txtPL = {"Ann", "Bob", "Cy", "Dee"};
  imgStart_Click(g);  // the first broadcast, not timed
  auto drain = [&](qsizetype frames) {
    qsizetype got[3] = {0, 0, 0};
    for (;;) {
      bool all = true;
      for (int i = 0; i < 3; ++i) {
        got[i] += peers[i]->readAll().count('*');
        all &= got[i] >= frames;
      }
      if (all) return;
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
  };
  drain(1400);
  for (auto _ : state) {
    GalaxySync(g);
    drain(1400);
  }
  state.counters["frames"] = benchmark::Counter(3 * 1400.0 * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(FullStateToThreeClients)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace zarnath

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
