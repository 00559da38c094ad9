// The lobby over real sockets on 127.0.0.1: the full lobby's countdown (on the virtual clock)
// starts the game for everyone, a join to a port that never answers times out, and lost
// connections in a game neither hang the turn nor leave a client in a dead game.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "model/game_texts.h"
#include "net/lobby.h"
#include "net/loopback.h"

namespace zarnath {
namespace {

using testing::NetGame;
using testing::WaitFor;

// A host and clients in the LAN lobby, each joining through its address box.
struct LanGames {
  NetGame host{true};
  std::vector<std::unique_ptr<NetGame>> clients;
  uint16_t port = 0;

  explicit LanGames(int worlds) {
    Game& h = host.game;
    h.setup.txtPL[0] = "Ann";
    h.setup.txtPlanets = std::to_string(worlds);
    port = host.Listen();
  }
  NetGame& Join(const std::string& name) {
    clients.push_back(std::make_unique<NetGame>(false));
    NetGame& c = *clients.back();
    c.game.setup.txtPL[0] = name;
    c.game.setup.txtIP = "127.0.0.1";
    c.net.onConnectToHost = [&c, p = port] { c.net.Connect(QStringLiteral("127.0.0.1"), p); };
    JoinHost(c.game);
    const size_t seat = clients.size();
    EXPECT_TRUE(WaitFor([&] { return host.game.setup.txtPL[seat] == name; }));
    return c;
  }
  void StartByCountdown() {
    HeadlessPorts& p = host.ports;
    ASSERT_TRUE(p.TimerEnabled(GameTimer::kLobbyStart));
    ASSERT_TRUE(p.FireNextTimer([&](GameTimer t) {
      if (t == GameTimer::kLobbyStart) tmrStart_Timer(host.game);
    }));
    for (auto& c : clients) ASSERT_TRUE(WaitFor([&] { return c->game.window.Visible; }));
  }
};

TEST(LobbyLoopback, TheFullLobbysCountdownStartsTheGameForEveryone) {
  LanGames lan(11);  // seats 1 and 2 fit, seat 3 would need 12 worlds
  NetGame& bob = lan.Join("Bob");
  EXPECT_FALSE(lan.host.ports.TimerEnabled(GameTimer::kLobbyStart));
  NetGame& cy = lan.Join("Cy");
  EXPECT_FALSE(lan.host.net.Listening());  // full: nobody else can join
  // Each client learnt the others' names in its own view.
  ASSERT_TRUE(WaitFor([&] { return bob.game.setup.txtPL[2] == "Cy"; }));
  EXPECT_EQ(bob.game.setup.txtPL[1], "Ann");
  EXPECT_EQ(cy.game.setup.txtPL[2], "Bob");
  EXPECT_EQ(cy.game.setup.lblStatus[1], "Server Found");
  lan.StartByCountdown();
  EXPECT_EQ(bob.game.CurrentPlayer, 1);
  EXPECT_EQ(cy.game.CurrentPlayer, 2);
  EXPECT_EQ(cy.game.WorldCount, 11);
  EXPECT_TRUE(bob.game.GameInProgress && cy.game.GameInProgress && lan.host.game.GameInProgress);
  // A game is on: the host takes no new connection.
  QTcpSocket probe;
  probe.connectToHost(QHostAddress::LocalHost, lan.port);
  EXPECT_FALSE(probe.waitForConnected(500) && WaitFor([&] { return lan.host.net.SocketConnected(3); }, 500));
}

TEST(LobbyLoopback, AJoinToAPortThatNeverAnswersTimesOut) {
  // A listener whose accept queue is full: the handshake of a further connection never completes.
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ASSERT_EQ(::listen(fd, 0), 0);
  socklen_t len = sizeof addr;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  const uint16_t port = ntohs(addr.sin_port);
  std::vector<std::unique_ptr<QTcpSocket>> fillers;
  for (int i = 0; i < 2; ++i) {
    fillers.push_back(std::make_unique<QTcpSocket>());
    fillers.back()->connectToHost(QHostAddress::LocalHost, port);
    fillers.back()->waitForConnected(300);
  }

  NetGame bob(false);
  Game& g = bob.game;
  bob.ports.recording = true;
  g.setup.chkLan = 1;
  g.setup.txtPL[0] = "Bob";
  g.setup.txtIP = "127.0.0.1";
  bob.net.onConnectToHost = [&] { bob.net.Connect(QStringLiteral("127.0.0.1"), port); };
  JoinHost(g);
  EXPECT_TRUE(bob.ports.Has("Timer tmrClient on 15000"));
  EXPECT_EQ(g.setup.lblStatus[1], "Looking for Server...");
  WaitFor([] { return false; }, 700);  // the connection stays pending
  EXPECT_FALSE(g.NetworkGame);
  ASSERT_TRUE(bob.ports.FireNextTimer([&](GameTimer t) {
    if (t == GameTimer::kClientJoin) tmrClient_Timer(g);
  }));
  EXPECT_TRUE(bob.ports.Has("MessageBox Zarnath: Server Has Timed Out!"));
  EXPECT_FALSE(bob.ports.TimerEnabled(GameTimer::kClientJoin));
  EXPECT_TRUE(g.setup.txtIP.empty() && g.setup.OptServerClientEnabled);
  EXPECT_FALSE(bob.net.SocketConnected(0));
  ::close(fd);
}

TEST(LobbyLoopback, AClientDroppingInAThreePlayerGameDoesNotStopTheTurn) {
  LanGames lan(12);
  NetGame& bob = lan.Join("Bob");
  NetGame& cy = lan.Join("Cy");
  Game& h = lan.host.game;
  imgStart_Click(h);
  for (auto& c : lan.clients) ASSERT_TRUE(WaitFor([&] { return c->game.window.Visible; }));
  // Bob and the host have finished; Cy's program goes away while they wait on him.
  EndSeatTurn(bob.game);
  ASSERT_TRUE(WaitFor([&] { return StatusCaption(h, 1) == "Bob:  Done Turn"; }));
  EndSeatTurn(h);
  EXPECT_EQ(h.GameYear, 1.0f);
  cy.net.CloseAll();
  ASSERT_TRUE(WaitFor([&] { return h.GameYear > 1.0f; }));
  EXPECT_TRUE(h.PlayerGone[2] && h.NetworkGame);
  EXPECT_EQ(StatusCaption(h, 2), "Cy:  Disconnected");
  ASSERT_TRUE(WaitFor([&] { return bob.game.GameYear > 1.0f && !bob.game.TurnResolving; }));
  // Bob shows Cy as the host does, in every later turn.
  EXPECT_EQ(StatusCaption(bob.game, 2), "Cy:  Disconnected");
  EXPECT_TRUE(bob.game.PlayerGone[2]);
  // The next turn needs only Bob and the host.
  EndSeatTurn(bob.game);
  ASSERT_TRUE(WaitFor([&] { return StatusCaption(h, 1) == "Bob:  Done Turn"; }));
  EndSeatTurn(h);
  ASSERT_TRUE(WaitFor([&] { return h.GameYear > 1.06f; }));
  ASSERT_TRUE(WaitFor([&] { return bob.game.GameYear > 1.06f && !bob.game.TurnResolving; }));
  EXPECT_EQ(StatusCaption(bob.game, 2), "Cy:  Disconnected");
  EXPECT_EQ(StatusCaption(h, 2), "Cy:  Disconnected");
}

TEST(LobbyLoopback, TheHostDroppingShowsTheClientsMessageAndAFreshSetupWindow) {
  LanGames lan(10);
  NetGame& bob = lan.Join("Bob");
  lan.StartByCountdown();
  bob.ports.recording = true;
  lan.host.net.CloseAll();
  ASSERT_TRUE(WaitFor([&] { return bob.ports.Has("ReturnToSetup"); }));
  EXPECT_TRUE(bob.ports.Has("MessageBox Zarnath: Connection with Server Lost!  Exiting Game"));
  EXPECT_EQ(StatusCaption(bob.game, 0), "Ann:  Disconnected");  // the host's seat
  EXPECT_FALSE(bob.game.GameInProgress || bob.game.NetworkGame || bob.game.window.Visible);

  // In the lobby the client goes back to its LAN choice.
  LanGames again(10);
  NetGame& cy = again.Join("Cy");
  cy.ports.recording = true;
  again.host.net.CloseAll();
  ASSERT_TRUE(WaitFor([&] { return cy.ports.Has("MessageBox Zarnath: Connection with Server Lost!"); }));
  EXPECT_FALSE(cy.game.NetworkGame || cy.game.setup.chatVisible);
  EXPECT_EQ(cy.game.setup.txtPL[1], "");
}

// Bob's first host goes while its state is coming to him; he joins another host of this program,
// whose first state he marks, so his Done counts there.
TEST(LobbyLoopback, AClientWhoseHostWentAmidItsStateMarksTheNextHostsStateAndItsDoneCounts) {
  NetGame bob{false};
  Game& b = bob.game;
  b.setup.txtPL[0] = "Bob";
  const auto join = [&](uint16_t port) {
    b.setup.txtIP = "127.0.0.1";
    bob.net.onConnectToHost = [&bob, port] { bob.net.Connect(QStringLiteral("127.0.0.1"), port); };
    JoinHost(b);
  };
  testing::RawPeer first;
  join(first.Listen());
  ASSERT_TRUE(first.Accept());
  // He names himself first, then says that he marks his states.
  EXPECT_EQ(first.Frames(2),
            (std::vector<std::string>{"[NAME] 00Bob", "[UNSEND] 000000000000000000.00010.0000.000"}));
  first.Write("[NP] 00 14*[N] 01Ann*");
  ASSERT_TRUE(WaitFor([&] { return bob.session->handled >= 2; }));
  ASSERT_TRUE(bob.session->start.Coming());
  first.socket->abort();
  bob.ports.recording = true;
  ASSERT_TRUE(WaitFor([&] { return bob.ports.Has("MessageBox Zarnath: Connection with Server Lost!"); }));
  EXPECT_FALSE(bob.session->start.Coming());
  EXPECT_FALSE(b.InputBusy);

  LanGames lan(10);
  join(lan.port);
  ASSERT_TRUE(WaitFor([&] { return lan.host.game.setup.txtPL[1] == "Bob"; }));
  Game& h = lan.host.game;
  ASSERT_TRUE(lan.host.ports.FireNextTimer([&](GameTimer t) {
    if (t == GameTimer::kLobbyStart) tmrStart_Timer(h);
  }));
  ASSERT_TRUE(WaitFor([&] { return b.window.Visible && !b.InputBusy && h.StatesUnmarked[1] == 0; }))
      << "Bob's marks left unmatched at the host: " << h.StatesUnmarked[1];
  EndSeatTurn(b);
  ASSERT_TRUE(WaitFor([&] { return h.SeatStatus[1] == TurnStatus::kDoneTurn; })) << StatusCaption(h, 1);
  EndSeatTurn(h);
  EXPECT_TRUE(WaitFor([&] { return b.GameYear == 1.05f && h.GameYear == 1.05f && !b.InputBusy; }));
}

}  // namespace
}  // namespace zarnath
