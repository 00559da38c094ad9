// A client floods the host's chat over loopback: the host takes each line, relays it to its two
// clients and shows it in the chat box on screen (the game window's chat line, or the setup
// window's lobby chat). The clients write and read on threads of their own, so the time is the
// host's. Reported: the host's time per line of a flood of N lines, and its ratio
// to the time of one line on an empty chat. A line costs the same whatever came before when the
// ratio stays near 1 as N grows.
#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "headless/headless_ports.h"
#include "model/game.h"
#include "net/net_session.h"
#include "net/socket_network.h"
#include "shell/setup_window.h"
#include "view/program_folder.h"
#include "window/chat_line.h"

namespace zarnath {
namespace {

void Spin(const std::function<bool()>& done) {
  while (!done()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// The host with its chat box on screen and two clients: Bob floods, Cy only reads.
struct FloodedHost {
  HeadlessPorts ports;
  SocketNetwork net;
  Game g{Ports{ports, ports, net, ports}};
  NetSession session{g};
  QWidget gameWindow;
  ChatLine chat{&gameWindow, g};
  std::unique_ptr<SetupWindow> setup;
  int bob = -1, cy = -1;
  std::atomic<bool> stop{false};
  std::thread readers;
  bool inGame;

  explicit FloodedHost(bool game) : inGame(game) {
    ports.recording = false;
    ports.onYield = [] { QCoreApplication::processEvents(); };
    g.setup.OptServerClient0 = true;
    g.Role = NetRole::kHost;
    g.setup.chkLan = 1;
    g.setup.txtPL[0] = "Ann";
    g.setup.txtPlanets = "12";
    setup = std::make_unique<SetupWindow>(g);
    ports.onRefresh = [this](Control c) {
      if (c == Control::kTxtChat) chat.Sync();
      if (c == Control::kSetupNameBox) setup->ShowState();
    };
    QString error;
    net.Listen(0, &error, QHostAddress::LocalHost);
    bob = Seat("Bob", 1);
    cy = Seat("Cy", 2);
    // Both read what the host relays, as clients do.
    readers = std::thread([this] {
      pollfd fds[2] = {{bob, POLLIN, 0}, {cy, POLLIN, 0}};
      char buf[65536];
      while (!stop) {
        if (::poll(fds, 2, 20) <= 0) continue;
        for (pollfd& f : fds)
          if (f.revents & POLLIN) (void)::recv(f.fd, buf, sizeof buf, 0);
      }
    });
    if (inGame) {
      // A game in progress: its chat line in the game window, shown.
      g.WorldCount = 12;
      g.PlayerName = {"Ann", "Bob", "Cy", ""};
      g.GameInProgress = true;
      gameWindow.resize(1018, 693);
      gameWindow.show();
    } else {
      setup->show();
    }
    Clear();
  }
  ~FloodedHost() {
    stop = true;
    readers.join();
    ::close(bob);
    ::close(cy);
  }
  int Seat(const char* name, int seat) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(net.ListeningPort());
    ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    Spin([&] { return net.SocketConnected(seat); });
    Send(fd, std::string("[NAME] 00") + name + "*");
    Spin([&] { return g.Seated[static_cast<size_t>(seat)]; });
    return fd;
  }
  // Writes all of `bytes` to a non-blocking socket, waiting while the host is behind.
  static void Send(int fd, const std::string& bytes) {
    for (size_t sent = 0; sent < bytes.size();) {
      const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n > 0) {
        sent += static_cast<size_t>(n);
      } else {
        pollfd f{fd, POLLOUT, 0};
        ::poll(&f, 1, 20);
      }
    }
  }
  ChatHistory& History() { return inGame ? g.window.txtChat : g.setup.txtChat; }
  void Clear() {
    History().Renew();
    Show();
  }
  void Show() { inGame ? chat.Sync() : setup->ShowState(); }
  // Seconds the host takes for `lines` lines written at once.
  double Flood(int lines) {
    std::string burst;
    for (int i = 0; i < lines; ++i)
      burst += "[MESSAGE] 00 Bob: a line of the flood number " + std::to_string(i) + "*";
    const std::string last = " Bob: a line of the flood number " + std::to_string(lines - 1) + "\r\n";
    QElapsedTimer t;
    t.start();
    std::thread writer([&] { Send(bob, burst); });
    Spin([&] { return History().Text.ends_with(last); });
    writer.join();
    return static_cast<double>(t.nsecsElapsed()) * 1e-9;
  }
};

void ChatFlood(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  FloodedHost host(state.range(1) == 1);
  // One line on an empty chat, the yardstick: the median of 21 tries.
  std::vector<double> tries;
  for (int i = 0; i < 21; ++i) {
    host.Clear();
    tries.push_back(host.Flood(1));
  }
  std::nth_element(tries.begin(), tries.begin() + 10, tries.end());
  const double oneLine = tries[10];
  double perLine = 0;
  for (auto _ : state) {
    state.PauseTiming();
    host.Clear();
    state.ResumeTiming();
    const double seconds = host.Flood(lines);
    perLine = seconds / lines;
    state.SetIterationTime(seconds);
  }
  state.counters["us_per_line"] = perLine * 1e6;
  state.counters["ratio_to_one_line"] = perLine / oneLine;
  state.SetLabel(state.range(1) == 1 ? "game window" : "lobby");
}
BENCHMARK(ChatFlood)
    ->ArgsProduct({{1, 100, 1000, 5000}, {1, 0}})
    ->ArgNames({"lines", "in_game"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
}  // namespace zarnath

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  zarnath::SetProgramFolder(QStringLiteral(ZARNATH_BENCH_PROGRAM_DIR));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
