// A raw peer over loopback: how a game's socket takes frames however the bytes come, what it
// refuses, and the whole state a host sends each client.
#include "net/loopback.h"
#include "model/game_texts.h"
#include "net/lobby.h"

namespace zarnath {
namespace {

using testing::NetGame;
using testing::RawPeer;
using testing::WaitFor;

// A client game linked to a raw peer that plays its host.
struct ClientAndPeer {
  RawPeer host;
  NetGame client{false};
  ClientAndPeer() {
    client.game.setup.txtPL[0] = "Bob";
    client.Join(host.Listen());
    EXPECT_TRUE(host.Accept());
    // Its first frame names it; the mark of where it stands follows.
    EXPECT_EQ(host.Frames(2),
              (std::vector<std::string>{"[NAME] 00Bob", "[UNSEND] 000000000000000000.00010.0000.000"}));
    client.game.WorldCount = 16;
  }
  Game& g() { return client.game; }
  bool Handled(int n) {
    return WaitFor([&] { return client.session->handled + client.session->dropped >= n; });
  }
};

TEST(Loopback, FramesAreTakenHoweverTheBytesArrive) {
  ClientAndPeer c;
  Game& g = c.g();
  c.host.Write("[PS] 07 12*[PH] 07 50*");  // two frames in one read
  ASSERT_TRUE(c.Handled(2));
  EXPECT_TRUE(g.WorldShips[7] == 12.0f && g.WorldShield[7] == 50);

  for (const char* part : {"[PS", "] 07 4", "0*"}) {  // one frame in three reads
    c.host.Write(part);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_TRUE(c.client.session->handled == 2 || std::string(part) == "0*");
  }
  ASSERT_TRUE(c.Handled(3));
  EXPECT_EQ(g.WorldShips[7], 40.0f);

  c.host.Write("[PS] 07 12,5*");  // a comma for the point
  ASSERT_TRUE(c.Handled(4));
  EXPECT_EQ(g.WorldShips[7], 12.5f);

  c.host.Write("[HELLO] 00 1*[PS] 07 13*");  // an unknown tag, then a known one
  ASSERT_TRUE(c.Handled(6));
  EXPECT_EQ(g.WorldShips[7], 13.0f);
  EXPECT_EQ(c.client.session->dropped, 1);

  c.host.Write("x*[PS] 07 14*");  // junk before a star holds nothing back
  ASSERT_TRUE(c.Handled(7));
  EXPECT_EQ(g.WorldShips[7], 14.0f);
}

TEST(Loopback, MalformedFramesAreDroppedWithNothingChanged) {
  ClientAndPeer c;
  Game& g = c.g();
  g.WorldShips[7] = 5, g.WorldOwner[7] = 1;
  const std::string bad[] = {"[PS] 7x 12*",
                             "[PS] 31 12*",
                             "[PS] 07abc*",
                             "[PO] 07 9*",
                             "[SEND] 050102010000100000.1009.0000.10*",
                             "[BATTLEDONE] 07 1*"};
  std::string all;
  for (const std::string& f : bad) all += f;
  c.host.Write(all + "[PC] 07 3*");
  ASSERT_TRUE(c.Handled(static_cast<int>(std::size(bad)) + 1));
  EXPECT_EQ(c.client.session->dropped, static_cast<int>(std::size(bad)));
  EXPECT_TRUE(g.WorldShips[7] == 5.0f && g.WorldOwner[7] == 1 && g.FleetFrom[5] == 0 && g.WorldClass[7] == 3);
}

// A host with its game started and three raw clients: each gets its own full state, in order.
TEST(Loopback, TheFullStateReachesEveryClientInOrder) {
  NetGame host(true);
  Game& g = host.game;
  g.setup.txtPL[0] = "Ann";
  g.setup.txtPlanets = "12";
  const uint16_t port = host.Listen();
  RawPeer peers[3];
  const char* names[3] = {"Bob", "Cy", "Dee"};
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(peers[i].Connect(port));
    peers[i].Write(std::string("[NAME] 00") + names[i] + "*");
    ASSERT_TRUE(WaitFor([&] { return g.setup.txtPL[static_cast<size_t>(i + 1)] == names[i]; }));
  }
  g.random.Seed(3);
  g.setup.chkTruce = 1, g.setup.txtTruce = "12";
  imgStart_Click(g);
  // The lobby's roster as each joined, in its own numbering, then the state.
  const std::vector<std::string> rosters[3] = {
      {"[NAME] 01Ann", "[NAME] 02", "[NAME] 03", "[NAME] 02Cy", "[NAME] 03Dee"},
      {"[NAME] 01Ann", "[NAME] 02Bob", "[NAME] 03", "[NAME] 03Dee"},
      {"[NAME] 01Ann", "[NAME] 02Bob", "[NAME] 03Cy"}};
  for (int i = 0; i < 3; ++i) {
    std::vector<std::string> expected = rosters[i];
    ForEachStateFrame(g, i + 1, [&](std::string f, bool) { expected.push_back(f.substr(0, f.size() - 1)); });
    ASSERT_EQ(expected.size(), rosters[i].size() + 1401u);
    EXPECT_EQ(peers[i].Frames(expected.size()), expected) << i;
  }
}

// The host refuses orders no honest client sends, whatever socket they come on.
TEST(Loopback, TheHostRefusesForgedOrders) {
  NetGame host(true);
  RawPeer bob;
  ASSERT_TRUE(bob.Connect(host.Listen()));
  ASSERT_TRUE(WaitFor([&] { return host.net.SocketConnected(1); }));
  bob.Write("[NAME] 00Bob*");
  ASSERT_TRUE(WaitFor([&] { return host.game.setup.txtPL[1] == "Bob"; }));
  Game& g = host.game;
  g.random.Seed(3);
  g.setup.txtPL[0] = "Ann";
  imgStart_Click(g);
  bob.Frames(1400);
  const float ships = g.WorldShips[8];
  bob.Write("[PO] 08 2*[SEND] 00" + FleetRecord(g, 0) + "*[PM] 08 1*[STATUS] 00Ann:  Done Turn*[PB] 09 0*");
  ASSERT_TRUE(WaitFor([&] { return host.session->dropped == 5; }));
  EXPECT_TRUE(g.WorldOwner[8] == 1 && g.WorldShieldOn[8] == 0 && g.WorldShips[8] == ships &&
              g.WorldBombs[9] > 0);
  EXPECT_EQ(StatusCaption(g, 0), "Ann:  Taking Turn");
}

TEST(Loopback, AFailureToListenNamesItsCause) {
  NetGame a(true), b(true);
  const uint16_t port = a.Listen();
  QString error;
  EXPECT_FALSE(b.net.Listen(port, &error, QHostAddress::LocalHost));
  EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot host on TCP port %1: ").arg(port)))
      << error.toStdString();
  EXPECT_GT(error.size(), QStringLiteral("Cannot host on TCP port %1: ").arg(port).size());
  EXPECT_TRUE(ListenFailureText(330, "The address is protected").contains("ZARNATH_PORT"));
}

}  // namespace
}  // namespace zarnath
