// Games that talk over real sockets on 127.0.0.1: each with recording ports for the screen and
// the flow, the socket transport as its network, and its receiver. Waiting runs the event loop
// until a condition holds or a deadline passes, so a fault fails instead of hanging.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "engine/event_audience.h"
#include "engine/game_start.h"
#include "engine/net_send.h"
#include "engine/turn.h"
#include "headless/headless_ports.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "model/game_texts.h"
#include "net/full_state.h"
#include "net/net_session.h"
#include "net/protocol.h"
#include "net/socket_network.h"

namespace zarnath::testing {

inline bool WaitFor(const std::function<bool()>& done, int ms = 20000) {
  // A running event loop, as in the program: objects deleted later go when control returns to it.
  QElapsedTimer t;
  t.start();
  bool met = done();
  if (met) return true;
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, &loop, [&] {
    met = done();
    if (met || t.elapsed() > ms) loop.quit();
  });
  check.start(5);
  loop.exec();
  return met;
}

// Runs the event loop for `ms`, so what is on its way arrives.
inline void Settle(int ms) {
  WaitFor([] { return false; }, ms);
}

// Where each named seat stands on one machine, with its turn flags and year, for failure messages:
// "[Ann:  Taking Turn][Bob:  Done Turn] done year 1.050000".
inline std::string Statuses(const Game& g) {
  std::string out;
  for (int seat = 0; seat < kSeats; ++seat)
    if (!g.PlayerName[static_cast<size_t>(seat)].empty()) out += "[" + StatusCaption(g, seat) + "]";
  return out + (g.TurnDone ? " done" : "") + (g.TurnResolving ? " resolving" : "") + " year " +
         std::to_string(g.GameYear);
}

// A game on the socket transport. `PortsT` is the recording ports or a kind of them.
template <class PortsT = HeadlessPorts>
struct BasicNetGame {
  PortsT ports;
  SocketNetwork net;
  Game game{Ports{ports, ports, net, ports}};
  std::unique_ptr<NetSession> session;

  explicit BasicNetGame(bool host) {
    ports.recording = false;
    ports.onYield = [] { QCoreApplication::processEvents(); };
    ports.onYieldsEnded = [this] { net.YieldsEnded(); };
    ports.onGameCheck = [this] { GameCheck(game); };
    ports.onGalaxySync = [this] { GalaxySync(game); };
    game.setup.OptServerClient0 = host;
    game.Role = host ? NetRole::kHost : NetRole::kClient;
    game.setup.chkLan = 1;
    session = std::make_unique<NetSession>(game);
  }
  uint16_t Listen() {
    QString error;
    EXPECT_TRUE(net.Listen(0, &error, QHostAddress::LocalHost)) << error.toStdString();
    return net.ListeningPort();
  }
  void Join(uint16_t port) { net.Connect(QStringLiteral("127.0.0.1"), port); }
};
using NetGame = BasicNetGame<>;

// A bare peer on the far side of a game's socket that writes and reads raw bytes.
struct RawPeer {
  QTcpServer server;
  QTcpSocket* socket = nullptr;
  std::unique_ptr<QTcpSocket> own;
  QByteArray received;

  uint16_t Listen() {
    EXPECT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    return server.serverPort();
  }
  bool Accept() {
    if (!WaitFor([&] { return server.hasPendingConnections(); })) return false;
    socket = server.nextPendingConnection();
    return true;
  }
  bool Connect(uint16_t port) {
    own = std::make_unique<QTcpSocket>();
    own->connectToHost(QHostAddress::LocalHost, port);
    socket = own.get();
    return WaitFor([&] { return socket->state() == QAbstractSocket::ConnectedState; });
  }
  void Write(const std::string& bytes) {
    socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
    socket->flush();
  }
  // Reads until `count` frames have come; the frames, without their stars.
  // Fails the test when they do not come in time.
  std::vector<std::string> Frames(size_t count) {
    const bool came = WaitFor([&] {
      received += socket->readAll();
      return static_cast<size_t>(received.count('*')) >= count;
    });
    EXPECT_TRUE(came) << received.count('*') << " of " << count << " frames came";
    std::vector<std::string> out;
    for (const QByteArray& f : received.split('*'))
      if (!f.isEmpty()) out.push_back(f.toStdString());
    return out;
  }
};

}  // namespace zarnath::testing
