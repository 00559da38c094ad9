// The host against peers that a real network brings: one that sends a burst and closes at once,
// even while the host holds its frames for the start or has more of them waiting than it takes,
// one that presses Done while the host still sends the start, one that says Done when its seat
// is out of the game, one that floods the chat, ones that connect and never say a word, and one
// that stops reading. The host keeps serving the others, accepting newcomers and answering its
// own player.
#include <QTimer>
#include <algorithm>

#include "commands/chat_commands.h"
#include "engine/chat.h"
#include "engine/launch.h"
#include "model/game_texts.h"
#include "net/lobby.h"
#include "net/loopback.h"

namespace zarnath {
namespace {

using testing::NetGame;
using testing::RawPeer;
using testing::WaitFor;

// A host in its LAN lobby: Ann, `worlds` worlds, listening on a free port.
struct Host {
  NetGame net{true};
  uint16_t port = 0;
  Game& g() { return net.game; }
  explicit Host(int worlds) {
    g().setup.txtPL[0] = "Ann";
    g().setup.txtPlanets = std::to_string(worlds);
    port = net.Listen();
  }
  // A program's client that joins and names itself.
  std::unique_ptr<NetGame> Join(const std::string& name, int seat) {
    auto c = std::make_unique<NetGame>(false);
    c->game.setup.txtPL[0] = name;
    c->Join(port);
    EXPECT_TRUE(WaitFor([&] { return g().setup.txtPL[static_cast<size_t>(seat)] == name; }));
    return c;
  }
  // A raw peer that connects and names itself.
  void Seat(RawPeer& peer, const std::string& name, int seat) {
    ASSERT_TRUE(peer.Connect(port));
    peer.Write("[NAME] 00" + name + "*");
    ASSERT_TRUE(WaitFor([&] { return g().setup.txtPL[static_cast<size_t>(seat)] == name; }));
  }
};

std::string ChatBurst(const std::string& name, int lines) {
  std::string burst;
  for (int i = 0; i < lines; ++i) burst += "[MESSAGE] 00 " + name + ": line " + std::to_string(i) + "*";
  return burst;
}

// Sees what the host's transport hands its receiver, and passes it on.
struct ArrivalSpy : NetworkEvents {
  NetSession& session;
  std::function<void(int, const std::string&)> onData;
  std::function<void(int)> onLost;
  std::function<void(int, size_t)> onAskedWaiting;  // the transport asked how many frames wait
  explicit ArrivalSpy(NetSession& s) : session(s) {}
  void DataArrival(int element, const std::string& bytes) override {
    if (onData) onData(element, bytes);
    session.DataArrival(element, bytes);
  }
  void ConnectionOpened(int element) override { session.ConnectionOpened(element); }
  void ConnectionLost(int element) override {
    if (onLost) onLost(element);
    session.ConnectionLost(element);
  }
  void ConnectionClosed(int element) override { session.ConnectionClosed(element); }
  size_t FramesWaiting(int element) const override {
    const size_t waiting = session.FramesWaiting(element);
    if (onAskedWaiting) onAskedWaiting(element, waiting);
    return waiting;
  }
  bool LeftWaiting() const override { return session.LeftWaiting(); }
  void HandleLeftWaiting() override { session.HandleLeftWaiting(); }
  bool LeftUntilYieldsEnd() const override { return session.LeftUntilYieldsEnd(); }
};

TEST(HostilePeer, ABurstOfChatAndACloseInTheLobbyFreesTheSeatWithEveryLineRelayed) {
  Host host(12);
  RawPeer bob, cy;
  host.Seat(bob, "Bob", 1);
  host.Seat(cy, "Cy", 2);
  bob.Frames(4);  // its roster and Cy's name
  cy.Write(ChatBurst("Cy", 5));
  cy.socket->disconnectFromHost();
  ASSERT_TRUE(WaitFor([&] { return host.g().setup.txtPL[2].empty(); }));
  EXPECT_EQ(host.g().setup.lblStatus[2], "Waiting for Client...");
  const std::vector<std::string> got = bob.Frames(10);
  std::vector<std::string> expected{"[NAME] 01Ann", "[NAME] 02", "[NAME] 03", "[NAME] 02Cy"};
  for (int i = 0; i < 5; ++i) expected.push_back("[MESSAGE] 00 Cy: line " + std::to_string(i));
  expected.push_back("[NAME] 02");  // the seat is free again
  EXPECT_EQ(got, expected);
  EXPECT_TRUE(host.net.net.Listening());
}

// Two thousand lines and a close in one write: the host relays every one of them to Bob, in
// order, before it frees the seat.
TEST(HostilePeer, EveryLineOfABurstBeforeACloseIsRelayed) {
  constexpr int kLines = 2000;
  Host host(12);
  RawPeer bob, cy;
  host.Seat(bob, "Bob", 1);
  host.Seat(cy, "Cy", 2);
  bob.Frames(4);
  cy.Write(ChatBurst("Cy", kLines));
  cy.socket->disconnectFromHost();
  ASSERT_TRUE(WaitFor([&] { return host.g().setup.txtPL[2].empty(); }));
  const std::vector<std::string> got = bob.Frames(4 + kLines + 1);
  ASSERT_EQ(got.size(), 4u + kLines + 1);
  for (int i = 0; i < kLines; ++i)
    ASSERT_EQ(got[4 + static_cast<size_t>(i)], "[MESSAGE] 00 Cy: line " + std::to_string(i));
  EXPECT_EQ(got.back(), "[NAME] 02");
  EXPECT_EQ(host.net.session->dropped, 0);
}

// A client that stops reading while the game goes on, then sends a burst and closes: the host
// plays on with the others, answers its own player, and drops the seat as any lost one.
TEST(HostilePeer, AClientThatStopsReadingAndThenClosesMidBurstLeavesTheGameGoingOn) {
  Host host(12);
  auto bob = host.Join("Bob", 1);
  RawPeer cy;
  host.Seat(cy, "Cy", 2);
  Game& h = host.g();
  h.random.Seed(5);
  imgStart_Click(h);
  ASSERT_TRUE(WaitFor([&] { return bob->game.window.Visible; }));
  // Cy reads no more: what the host sends piles up on its side. It says Done every so often.
  cy.socket->setReadBufferSize(512);
  QTimer done;
  QObject::connect(&done, &QTimer::timeout, [&] { cy.Write("[STATUS] 02Cy:  Done Turn*"); });
  done.start(20);
  for (int turn = 0; turn < 2; ++turn) {
    EndSeatTurn(bob->game);
    EndSeatTurn(h);
    ASSERT_TRUE(WaitFor([&] { return h.GameYear > 1.0f + 0.05f * turn + 0.01f && !h.TurnResolving; }))
        << turn;
    ASSERT_TRUE(WaitFor([&] { return bob->game.GameYear == h.GameYear && !bob->game.TurnResolving; }));
  }
  done.stop();
  // The host's own player still talks to Bob.
  h.window.txtMessage.Text = "still here";
  h.window.ImgSendEnabled = true;
  ImgSend_Click(h);
  ASSERT_TRUE(
      WaitFor([&] { return bob->game.window.txtChat.Text.find(" Ann: still here") != std::string::npos; }));

  // Cy takes what waited, bursts and closes.
  cy.socket->setReadBufferSize(0);
  WaitFor([&] { return cy.socket->readAll().isEmpty() && cy.socket->bytesAvailable() == 0; }, 200);
  cy.Write(ChatBurst("Cy", 5));
  cy.socket->disconnectFromHost();
  ASSERT_TRUE(WaitFor([&] { return h.PlayerGone[2]; }));
  EXPECT_EQ(StatusCaption(h, 2), "Cy:  Disconnected");
  ASSERT_TRUE(WaitFor([&] { return StatusCaption(bob->game, 2) == "Cy:  Disconnected"; }));
  EXPECT_NE(bob->game.window.txtChat.Text.find(" Cy: line 4\r\n"), std::string::npos);
  // The next turn needs only Bob and the host.
  const float year = h.GameYear;
  EndSeatTurn(bob->game);
  ASSERT_TRUE(WaitFor([&] { return StatusCaption(h, 1) == "Bob:  Done Turn"; }));
  EndSeatTurn(h);
  ASSERT_TRUE(WaitFor([&] { return h.GameYear > year; }));
}

// What the host's transport hands over of one connection, and all of it when the seat is freed.
struct HandedOver {
  std::string bytes, atLoss;
  bool lost = false;
  HandedOver(ArrivalSpy& spy, int element) {
    spy.onData = [this, element](int e, const std::string& b) {
      if (e == element) bytes += b;
    };
    spy.onLost = [this, element](int e) {
      if (e != element || lost) return;
      lost = true;
      atLoss = bytes;
    };
  }
};

// The frames of `got` are those of `expected`, in order: else how many, and the first that differs.
void ExpectFrames(const std::vector<std::string>& got, const std::vector<std::string>& expected) {
  EXPECT_EQ(got.size(), expected.size());
  const auto [g, e] = std::mismatch(got.begin(), got.end(), expected.begin(), expected.end());
  if (g != got.end() || e != expected.end())
    ADD_FAILURE() << "frame " << (g - got.begin()) << ": " << (g != got.end() ? *g : "(none)")
                  << " instead of " << (e != expected.end() ? *e : "(none)");
}

std::vector<std::string> FramesOf(const std::string& bytes) {
  std::vector<std::string> out;
  for (const QByteArray& f : QByteArray::fromStdString(bytes).split('*'))
    if (!f.isEmpty()) out.push_back(f.toStdString());
  return out;
}

// Bob's frames once `last` has come: the chat lines and Cy's statuses the host relayed to him.
std::vector<std::string> RelayedToBob(RawPeer& bob, const std::string& last) {
  EXPECT_TRUE(WaitFor([&] {
    bob.received += bob.socket->readAll();
    return bob.received.contains(QByteArray::fromStdString(last + "*"));
  })) << last;
  std::vector<std::string> out = FramesOf(bob.received.toStdString());
  std::erase_if(
      out, [](const std::string& f) { return !f.starts_with("[MESSAGE]") && !f.starts_with("[STATUS] 02"); });
  return out;
}

// Cy says Done and a hundred lines of goodbye while the host still sends the start, and closes at
// once: the host holds all of it until the start is over, then hands every frame over, in order,
// before it frees the seat.
TEST(HostilePeer, FramesOfAPeerThatClosesWhileTheStartHoldsThemAllArriveBeforeItsSeatIsFreed) {
  Host host(12);
  RawPeer bob, cy;
  host.Seat(bob, "Bob", 1);
  host.Seat(cy, "Cy", 2);
  Game& h = host.g();
  ArrivalSpy spy(*host.net.session);
  host.net.net.SetEvents(&spy);
  HandedOver cys(spy, 2);
  const std::string done = "[STATUS] 02Cy:  Done Turn";
  const std::string burst = done + "*" + ChatBurst("Cy", 100);
  bool sent = false, closeSeen = false;
  size_t handedDuringStart = 0;
  // The start shows the game window before it lets the clients' frames in.
  host.net.ports.onRefresh = [&](Control c) {
    if (sent || c != Control::kWindow || !h.GameInProgress) return;
    sent = true;
    cy.Write(burst);
    cy.socket->disconnectFromHost();
    closeSeen = WaitFor([&] { return !host.net.net.SocketConnected(2); });
    handedDuringStart = cys.bytes.size();
  };
  h.random.Seed(9);
  imgStart_Click(h);
  ASSERT_TRUE(sent && closeSeen);
  EXPECT_EQ(handedDuringStart, 0u);
  EXPECT_FALSE(cys.lost);
  ASSERT_TRUE(WaitFor([&] { return cys.lost; }));
  ExpectFrames(FramesOf(cys.atLoss), FramesOf(burst));
  // The host took Cy's Done and relayed every line before it told Bob that Cy had left.
  std::vector<std::string> expected{done};
  for (int i = 0; i < 100; ++i) expected.push_back("[MESSAGE] 00 Cy: line " + std::to_string(i));
  expected.push_back("[STATUS] 02Cy:  Disconnected");
  ExpectFrames(RelayedToBob(bob, expected.back()), expected);
  EXPECT_EQ(host.net.session->dropped, 0);
  host.net.net.SetEvents(host.net.session.get());
}

// Bob's chat line keeps the host's receiver busy (it relays the line and yields) while Cy sends
// more lines than the receiver lets wait and closes: the host reads on as the receiver makes
// room, and every line of Cy's is handed over, in order, before his seat is freed.
TEST(HostilePeer, FramesOfAPeerThatClosesWhileTheReceiverIsFullAllArriveBeforeItsSeatIsFreed) {
  constexpr int kLines = 1500;  // several reads, all of them kept by the socket
  Host host(12);
  RawPeer bob, cy;
  host.Seat(bob, "Bob", 1);
  host.Seat(cy, "Cy", 2);
  Game& h = host.g();
  h.random.Seed(9);
  imgStart_Click(h);
  NetSession& session = *host.net.session;
  ArrivalSpy spy(session);
  host.net.net.SetEvents(&spy);
  HandedOver cys(spy, 2);
  bool bobsLine = false, sent = false, closeSeen = false;
  size_t waitingAtClose = 0, handedAtClose = 0;
  // Times the transport found the receiver full after Cy had closed.
  int fullAfterClose = 0;
  spy.onAskedWaiting = [&](int e, size_t waiting) {
    fullAfterClose +=
        e == 2 && waiting >= SocketNetwork::kMostFramesWaiting && !host.net.net.SocketConnected(2);
  };
  spy.onData = [&, handOver = spy.onData](int e, const std::string& b) {
    handOver(e, b);
    bobsLine = bobsLine || (e == 1 && b.find("[MESSAGE]") != std::string::npos);
  };
  const std::string burst = ChatBurst("Cy", kLines);
  ASSERT_LT(burst.size(), static_cast<size_t>(SocketNetwork::kReadBuffer));
  host.net.ports.onYield = [&] {
    // The first yield after Bob's line came is the relay of it.
    if (bobsLine && !sent) {
      sent = true;
      cy.Write(burst);
      cy.socket->disconnectFromHost();
      closeSeen = WaitFor([&] { return fullAfterClose > 0 || cys.lost; });
      waitingAtClose = session.FramesWaiting(2);
      handedAtClose = cys.bytes.size();
    }
    QCoreApplication::processEvents();
  };
  bob.Write("[MESSAGE] 00 Bob: hello*");
  ASSERT_TRUE(WaitFor([&] { return cys.lost; }));
  ASSERT_TRUE(sent && closeSeen);
  EXPECT_GE(waitingAtClose, SocketNetwork::kMostFramesWaiting);
  EXPECT_LT(handedAtClose, burst.size());  // the rest still waited in the socket
  ExpectFrames(FramesOf(cys.atLoss), FramesOf(burst));
  std::vector<std::string> expected{"[MESSAGE] 00 Bob: hello"};
  for (int i = 0; i < kLines; ++i) expected.push_back("[MESSAGE] 00 Cy: line " + std::to_string(i));
  expected.push_back("[STATUS] 02Cy:  Disconnected");
  ExpectFrames(RelayedToBob(bob, expected.back()), expected);
  EXPECT_EQ(session.dropped, 0);
  host.net.net.SetEvents(&session);
}

// One order of the seat at this machine: a share of `from`'s ships to `to`.
void Order(Game& g, int from, int to, float code) {
  g.SelectedFrom = static_cast<int16_t>(from);
  g.SelectedTo = static_cast<int16_t>(to);
  Sendships(g, code);
}

int FleetsOf(const Game& g, int owner) {
  int n = 0;
  for (int j = 0; j < kUsedFleetSlots; ++j)
    n += g.FleetFrom[static_cast<size_t>(j)] != 0 && g.FleetOwner[static_cast<size_t>(j)] == owner;
  return n;
}

// Bob gives an order and presses Done the moment his game opens, while the host still sends Cy
// her state: both wait until the start is over, and then count like any other.
TEST(HostilePeer, AnOrderAndADoneSentDuringTheStartAreTakenOnceTheStartIsOver) {
  Host host(12);
  auto bob = host.Join("Bob", 1);
  auto cy = host.Join("Cy", 2);
  Game& h = host.g();
  bool acted = false;
  bob->ports.onRefresh = [&](Control c) {
    if (acted || c != Control::kWindow || !bob->game.GameInProgress) return;
    acted = true;
    Order(bob->game, kHomeWorld0 + 1, 0, 60);
    EndSeatTurn(bob->game);
  };
  h.random.Seed(9);
  imgStart_Click(h);
  ASSERT_TRUE(acted);  // Bob acted while the host was still starting
  ASSERT_TRUE(WaitFor([&] { return cy->game.window.Visible; }));
  ASSERT_TRUE(WaitFor([&] { return StatusCaption(h, 1) == "Bob:  Done Turn"; }, 5000));
  EXPECT_EQ(FleetsOf(h, 2), 1);
  // Every machine ends the start with Bob done.
  ASSERT_TRUE(WaitFor([&] { return StatusCaption(cy->game, 1) == "Bob:  Done Turn"; }, 5000));
  EXPECT_EQ(StatusCaption(bob->game, 1), "Bob:  Done Turn");
  // The turn ends when Cy and the host are done.
  EndSeatTurn(cy->game);
  ASSERT_TRUE(WaitFor([&] { return StatusCaption(h, 2) == "Cy:  Done Turn"; }, 5000));
  EndSeatTurn(h);
  ASSERT_TRUE(WaitFor([&] { return h.GameYear > 1.0f && !h.TurnResolving; }, 5000));
  for (NetGame* c : {bob.get(), cy.get()})
    ASSERT_TRUE(WaitFor([&] { return c->game.GameYear == h.GameYear && !c->game.TurnResolving; }));
  for (int j = 0; j < kUsedFleetSlots; ++j) EXPECT_EQ(FleetRecord(bob->game, j), FleetRecord(h, j)) << j;
  EXPECT_EQ(host.net.session->dropped, 0);
}

// Ann's annihilation bomb takes Cy's only world, and Cy has nothing in flight: his seat is
// eliminated on every machine. A Done his program sends anyway is refused by the host, which
// tells Cy alone where his seat stands; no machine shows him done, and the game goes on.
TEST(HostilePeer, ADoneFromAnEliminatedSeatIsRefusedAndTheSeatStaysEliminatedEverywhere) {
  Host host(12);
  auto bob = host.Join("Bob", 1);
  auto cy = host.Join("Cy", 2);
  Game& h = host.g();
  h.random.Seed(9);
  imgStart_Click(h);
  NetGame* clients[] = {bob.get(), cy.get()};
  Game* machines[] = {&h, &bob->game, &cy->game};
  for (NetGame* c : clients)
    ASSERT_TRUE(
        WaitFor([&] { return c->game.window.Visible && c->game.menus.mnuOptionsRadar.Caption != ""; }));
  Order(h, kHomeWorld0, kHomeWorld0 + 2, kAnnihilationBomb);
  auto endTurn = [&] {
    const float year = h.GameYear;
    EndSeatTurn(bob->game);
    if (cy->game.SeatStatus[2] != TurnStatus::kEliminated) EndSeatTurn(cy->game);
    ASSERT_TRUE(WaitFor([&] {
      return h.SeatStatus[1] == TurnStatus::kDoneTurn && h.SeatStatus[2] != TurnStatus::kTakingTurn;
    }));
    EndSeatTurn(h);
    ASSERT_TRUE(WaitFor([&] { return h.GameYear > year && !h.TurnResolving; }));
    for (NetGame* c : clients)
      ASSERT_TRUE(WaitFor([&] { return c->game.GameYear == h.GameYear && !c->game.TurnResolving; }));
  };
  for (int turn = 0; turn < 30 && h.SeatStatus[2] != TurnStatus::kEliminated; ++turn) {
    endTurn();
    if (HasFatalFailure()) return;
  }
  for (Game* g : machines) ASSERT_EQ(g->SeatStatus[2], TurnStatus::kEliminated);

  // What reaches Bob and Cy from here on.
  std::string toBob, toCy;
  ArrivalSpy bobSpy(*bob->session), cySpy(*cy->session);
  bobSpy.onData = [&](int, const std::string& b) { toBob += b; };
  cySpy.onData = [&](int, const std::string& b) { toCy += b; };
  bob->net.SetEvents(&bobSpy);
  cy->net.SetEvents(&cySpy);
  const NetSession& hosts = *host.net.session;
  const int before = hosts.handled + hosts.dropped;
  cy->net.SendData(0, "[STATUS] 02Cy:  Done Turn*");
  ASSERT_TRUE(WaitFor([&] { return hosts.handled + hosts.dropped > before; }));
  EXPECT_EQ(hosts.dropped, 1);
  // A line of the host's player goes out after whatever the Done made the host send.
  h.window.txtMessage.Text = "next";
  h.window.ImgSendEnabled = true;
  ImgSend_Click(h);
  for (NetGame* c : clients)
    ASSERT_TRUE(WaitFor([&] { return c->game.window.txtChat.Text.ends_with(" Ann: next\r\n"); }));
  EXPECT_EQ(toCy, "[STATUS] 02Cy:  Eliminated*[MESSAGE] 00 Ann: next*");
  EXPECT_EQ(toBob, "[MESSAGE] 00 Ann: next*");
  for (Game* g : machines) EXPECT_EQ(StatusCaption(*g, 2), "Cy:  Eliminated");
  EXPECT_EQ(bob->session->dropped + cy->session->dropped, 0);
  bob->net.SetEvents(bob->session.get());
  cy->net.SetEvents(cy->session.get());
  // The next turn needs only Ann and Bob, and Cy stays out.
  endTurn();
  for (Game* g : machines) EXPECT_EQ(StatusCaption(*g, 2), "Cy:  Eliminated");
}

// Three connections that never name themselves: no seat, no countdown, nothing sent to them, and
// once the wait is over they are closed and a real client takes a seat.
TEST(HostilePeer, SilentConnectionsHoldNoSeatAndAreClosedWhenTheWaitRunsOut) {
  Host host(12);
  Game& h = host.g();
  RawPeer silent[3];
  for (RawPeer& p : silent) ASSERT_TRUE(p.Connect(host.port));
  ASSERT_TRUE(WaitFor([&] { return host.net.net.SocketConnected(3); }));
  WaitFor([] { return false; }, 100);
  EXPECT_EQ(h.Seated, (std::array<bool, 4>{}));
  EXPECT_FALSE(host.net.ports.TimerEnabled(GameTimer::kLobbyStart));
  EXPECT_TRUE(host.net.net.Listening());
  EXPECT_FALSE(h.setup.chatVisible || h.NetworkGame);
  // Nor does a silent connection's chat reach anybody.
  silent[0].Write("[MESSAGE] 00 X: hello*");
  ASSERT_TRUE(WaitFor([&] { return host.net.session->dropped == 1; }));
  for (RawPeer& p : silent) EXPECT_TRUE(p.socket->readAll().isEmpty());

  int ticks = 0;
  while (host.net.ports.TimerEnabled(GameTimer::kNameWait) && ticks < 100) {
    ASSERT_TRUE(host.net.ports.FireNextTimer([&](GameTimer t) {
      if (t == GameTimer::kNameWait) tmrNameWait_Timer(h);
    }));
    ++ticks;
  }
  EXPECT_EQ(ticks, kNameWaitMs / kNameWaitTickMs);
  for (RawPeer& p : silent)
    ASSERT_TRUE(WaitFor([&] { return p.socket->state() == QAbstractSocket::UnconnectedState; }));
  auto bob = host.Join("Bob", 1);
  EXPECT_TRUE(h.Seated[1]);
  EXPECT_EQ(bob->game.setup.txtPL[1], "Ann");
}

// A client floods the lobby's chat. Bob's line, a newcomer and the host's own player are served
// while the flood goes on, the flood never piles up in the host, its lines make one sound, not
// one each, and the chat box stays bounded.
TEST(HostilePeer, AChatFloodStarvesNeitherTheOtherClientsNorNewcomersNorTheHost) {
  constexpr int kLines = 20000;
  Host host(12);
  Game& h = host.g();
  auto bob = host.Join("Bob", 1);
  RawPeer cy;
  host.Seat(cy, "Cy", 2);
  host.net.ports.recording = true;
  host.net.ports.Clear();
  NetSession& session = *host.net.session;
  ArrivalSpy spy(session);
  host.net.net.SetEvents(&spy);

  // What the host had handled when each thing arrived and when it took effect.
  int bobArrived = -1, bobShown = -1, deeArrived = -1, deeSeated = -1, hostAsked = -1, hostShown = -1;
  size_t mostWaiting = 0;
  QTcpSocket dee;
  spy.onData = [&](int element, const std::string& bytes) {
    mostWaiting = std::max(mostWaiting, session.FramesWaiting(2));
    if (element == 1 && bytes.find("[MESSAGE]") != std::string::npos && bobArrived < 0)
      bobArrived = session.handled;
    if (element == 3 && deeArrived < 0) deeArrived = session.handled;
  };
  bool started = false;
  host.net.ports.onRefresh = [&](Control) {
    const std::string& chat = h.setup.txtChat.Text;
    if (bobShown < 0 && chat.ends_with(" Bob: hello\r\n")) bobShown = session.handled;
    if (hostShown < 0 && chat.ends_with(" Ann: still here\r\n")) hostShown = session.handled;
    if (deeSeated < 0 && h.setup.txtPL[3] == "Dee") deeSeated = session.handled;
    if (started || session.handled < 1000) return;
    started = true;
    // A thousand lines into the flood: Bob talks, Dee joins and the host's player types a line.
    QTimer::singleShot(0, [&] {
      bob->game.setup.txtMessage = "hello";
      txtMessage_Enter(bob->game);
      QObject::connect(&dee, &QTcpSocket::connected, [&] { dee.write("[NAME] 00Dee*"); });
      dee.connectToHost(QHostAddress::LocalHost, host.port);
      hostAsked = session.handled;
      QTimer::singleShot(0, [&] {
        h.setup.txtMessage = "still here";
        txtMessage_Enter(h);
      });
    });
  };
  cy.Write(ChatBurst("Cy", kLines));
  ASSERT_TRUE(WaitFor([&] { return h.setup.txtChat.Text.ends_with(" Cy: line 19999\r\n"); }, 60000));
  ASSERT_TRUE(bobArrived >= 0 && bobShown >= 0 && deeArrived >= 0 && deeSeated >= 0 && hostShown >= 0);
  // Each was served within a few frames of its arrival, long before the flood was through.
  EXPECT_LT(bobShown - bobArrived, 10);
  EXPECT_LT(deeSeated - deeArrived, 10);
  EXPECT_LT(hostShown - hostAsked, 100);
  EXPECT_LT(deeSeated, kLines / 2);
  EXPECT_LE(mostWaiting, SocketNetwork::kMostFramesWaiting + SocketNetwork::kReadPiece / 7);
  EXPECT_LT(host.net.ports.Count("Sound message.wav"), kLines / 10);
  EXPECT_LE(h.setup.txtChat.Text.size(), 2 * ChatHistory::kKept);
  // Bob saw the whole flood, his own line among it, and Dee's arrival.
  ASSERT_TRUE(WaitFor([&] { return bob->game.setup.txtChat.Text.ends_with(" Cy: line 19999\r\n"); }, 60000));
  EXPECT_EQ(bob->game.setup.txtPL[3], "Dee");
  host.net.net.SetEvents(&session);
}

}  // namespace
}  // namespace zarnath
