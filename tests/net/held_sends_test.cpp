// Sends kept back on a connection: they leave together and in order when released, never reach
// a later connection on the same seat, and the full state reaches each client byte for byte in a
// few writes while the event loop still runs after each frame.
#include "net/lobby.h"
#include "net/loopback.h"

namespace zarnath {
namespace {

using testing::NetGame;
using testing::RawPeer;
using testing::WaitFor;

// Runs the event loop for a while and collects what the peer got meanwhile.
QByteArray Collect(RawPeer& peer, int ms) {
  QElapsedTimer t;
  t.start();
  QByteArray got;
  while (t.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    got += peer.socket->readAll();
  }
  return got;
}

// A host with one raw client on seat 1, whatever the host sent it on joining already read.
struct HostAndPeer {
  NetGame host{true};
  RawPeer peer;
  HostAndPeer() {
    EXPECT_TRUE(peer.Connect(host.Listen()));
    EXPECT_TRUE(WaitFor([&] { return host.net.SocketConnected(1); }));
    Collect(peer, 100);
  }
};

TEST(HeldSends, KeptBackUntilReleasedThenInOrderAheadOfLaterSends) {
  HostAndPeer t;
  SocketNetwork& net = t.host.net;
  net.HoldSends(1);
  net.SendData(1, "[PS] 01 1*");
  net.SendData(1, "[PS] 02 2*");
  EXPECT_EQ(Collect(t.peer, 150), QByteArray());
  net.ReleaseSends(1);
  net.SendData(1, "[PS] 03 3*");
  EXPECT_EQ(t.peer.Frames(3), (std::vector<std::string>{"[PS] 01 1", "[PS] 02 2", "[PS] 03 3"}));
  EXPECT_EQ(t.peer.received, QByteArray("[PS] 01 1*[PS] 02 2*[PS] 03 3*"));

  // A connection closed by the host still gets what was kept back for it first.
  net.HoldSends(1);
  net.SendData(1, "[PS] 04 4*");
  net.CloseSocket(1);
  ASSERT_TRUE(WaitFor([&] { return t.peer.socket->state() != QAbstractSocket::ConnectedState; }));
  EXPECT_EQ(t.peer.received + t.peer.socket->readAll(),
            QByteArray("[PS] 01 1*[PS] 02 2*[PS] 03 3*[PS] 04 4*"));
}

TEST(HeldSends, WhatWasKeptForALostConnectionNeverReachesTheNextOnThatSeat) {
  HostAndPeer t;
  SocketNetwork& net = t.host.net;
  net.HoldSends(1);
  net.SendData(1, "[PS] 01 9*");
  t.peer.socket->abort();
  ASSERT_TRUE(WaitFor([&] { return !net.SocketConnected(1); }));

  RawPeer next;
  ASSERT_TRUE(next.Connect(net.ListeningPort()));
  ASSERT_TRUE(WaitFor([&] { return net.SocketConnected(1); }));
  net.ReleaseSends(1);
  net.SendData(1, "[PS] 02 2*");
  next.Frames(1);
  const QByteArray got = next.received + Collect(next, 100);
  EXPECT_FALSE(got.contains("[PS] 01 9*")) << got.toStdString();
  EXPECT_TRUE(got.endsWith("[PS] 02 2*")) << got.toStdString();
}

// Each client's whole state arrives byte for byte; none of it leaves while the host is still
// sending that client's frames, though the event loop runs after each of them.
TEST(HeldSends, TheFullStateLeavesWholeAfterTheClientsLastFrame) {
  NetGame host(true);
  const uint16_t port = host.Listen();
  RawPeer peers[3];
  Game& g = host.game;
  g.setup.txtPL[0] = "Ann";
  const char* names[] = {"Bob", "Cy", "Dee"};
  for (int i = 0; i < 3; ++i) {  // each seated in turn, as it names itself
    ASSERT_TRUE(peers[i].Connect(port));
    peers[i].Write(std::string("[NAME] 00") + names[i] + "*");
    ASSERT_TRUE(WaitFor([&] { return g.setup.txtPL[static_cast<size_t>(i + 1)] == names[i]; }));
  }
  g.random.Seed(9);
  imgStart_Click(g);
  // The roster, the later joiners' names and the first broadcast.
  for (int i = 0; i < 3; ++i) peers[i].Frames(static_cast<size_t>(3 + (2 - i) + 1400));

  QByteArray expected[3];
  int yieldsToFirst = 0;
  for (int i = 0; i < 3; ++i)
    ForEachStateFrame(g, i + 1, [&](std::string f, bool yield) {
      expected[i] += QByteArray::fromStdString(f);
      if (i == 0 && yield) ++yieldsToFirst;
    });
  QByteArray got[3];
  int yields = 0;
  qsizetype firstDuringItsFrames = 0;
  host.ports.onYield = [&] {
    QCoreApplication::processEvents();
    for (int i = 0; i < 3; ++i) got[i] += peers[i].socket->readAll();
    if (++yields <= yieldsToFirst) firstDuringItsFrames = got[0].size();
  };
  GalaxySync(g);
  host.ports.onYield = [] { QCoreApplication::processEvents(); };
  ASSERT_TRUE(WaitFor([&] {
    bool all = true;
    for (int i = 0; i < 3; ++i) {
      got[i] += peers[i].socket->readAll();
      all &= got[i].size() >= expected[i].size();
    }
    return all;
  }));
  EXPECT_EQ(yields, 3 * yieldsToFirst);
  EXPECT_EQ(firstDuringItsFrames, 0);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(got[i] == expected[i]) << "client " << i + 1;
}

}  // namespace
}  // namespace zarnath
