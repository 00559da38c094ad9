// Seats gone from a network game, as the host and every client show them: a player who leaves
// after pressing Done, the seats of a loaded game that have no client at the host, and a client's
// next game with its host, in which every seat is back. A gone seat shows "Disconnected" on every
// window for the rest of its game, and no turn and no waiting notice waits on it.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "engine/save_load.h"
#include "model/game_texts.h"
#include "net_protocol/network_machines.h"
#include "net_protocol/protocol_fixture.h"
#include "persist/persist_fixture.h"

namespace zarnath {
namespace {

using testing::ClientGame;
using testing::HostGame;
using testing::Machine;
using testing::ScratchFolder;
using testing::ThreeMachines;
using Names = std::array<std::string, kSeats>;

// Every seat's caption on one window, e.g. "[Ann:  Taking Turn][Bob:  Done Turn][][]".
std::string Captions(const Game& g) {
  std::string out;
  for (int seat = 0; seat < kSeats; ++seat) out += "[" + StatusCaption(g, seat) + "]";
  return out;
}

// The host Ann and the clients Bob (socket 1) and Cy (socket 2), in a started game of the seats
// `names` holds (a client without a seat there has no link), and the notices each window showed.
struct Lan : ThreeMachines {
  std::vector<std::string> notices[3];

  explicit Lan(const Names& names = {"Ann", "Bob", "Cy", ""}) {
    for (int m = 0; m < 3; ++m) {
      Game& g = *seats[m];
      (m == 0 ? host : *clients[m - 1]).ports.onRefresh = [this, m, &g](Control c) {
        if (c == Control::kTxtGame) notices[m].push_back(g.window.txtGame.Text);
      };
    }
    Game& h = host.game;
    for (size_t k = 1; k <= 2; ++k) host.ports.connected[k] = !names[k].empty();
    h.random.Seed(17);
    h.NetworkGame = h.setup.OptServerClient0 = true;
    h.setup.chkLan = 1;
    h.setup.txtPL = names;
    h.setup.txtPlanets = "14";
    imgStart_Click(h);
    EXPECT_TRUE(Deliver());
  }
  bool Linked(int seat) const { return seat == 0 || host.ports.connected[static_cast<size_t>(seat)]; }
  // The program of `seat` goes away: the host loses its connection. What the windows showed
  // before is forgotten.
  void Leave(int seat) {
    ForgetNotices();
    host.ports.connected[static_cast<size_t>(seat)] = false;
    clients[seat - 1]->wire.outbox.clear();
    host.session->ConnectionLost(seat);
  }
  // Each linked seat still taking its turn presses Done, the clients first; true once the host's
  // turn has ended.
  bool PlayTurn() {
    const float year = host.game.GameYear;
    for (int seat : {1, 2, 0}) {
      Game& g = *seats[seat];
      if (!Linked(seat) || g.SeatStatus[static_cast<size_t>(seat)] != TurnStatus::kTakingTurn) continue;
      EndSeatTurn(g);
      if (!Deliver()) return false;
    }
    return host.game.GameYear > year;
  }
  void ForgetNotices() {
    for (auto& shown : notices) shown.clear();
  }
  // The waiting notices, on any window, that name `name`.
  std::vector<std::string> WaitsOn(const std::string& name) const {
    std::vector<std::string> out;
    for (const auto& shown : notices)
      for (const std::string& n : shown)
        if (n.starts_with("- Waiting on") && n.find(name) != std::string::npos) out.push_back(n);
    return out;
  }
};

// Cy presses Done, and his program goes while the turn waits on Ann and Bob, or while Ann's Done,
// the last of the turn, resolves it (Bob then learns it amid the turn's steps). Every window shows
// Cy gone in place of done, and the next turns end on Ann's and Bob's Done alone.
void DoneThenLeave(bool whileResolving) {
  SCOPED_TRACE(whileResolving ? "Cy leaves while the turn resolves" : "Cy leaves while the turn waits");
  Lan m;
  Game& h = m.host.game;
  Game& bob = m.bob.game;
  if (whileResolving) {
    EndSeatTurn(bob);
    ASSERT_TRUE(m.Deliver());
  }
  EndSeatTurn(m.cy.game);
  ASSERT_TRUE(m.Deliver());
  ASSERT_EQ(StatusCaption(bob, 2), "Cy:  Done Turn");
  if (whileResolving) {
    bool left = false;
    m.host.ports.onYield = [&] {
      if (h.TurnResolving && !std::exchange(left, true)) m.Leave(2);
    };
    EndSeatTurn(h);
    m.host.ports.onYield = nullptr;
    ASSERT_TRUE(left);
  } else {
    m.Leave(2);
  }
  ASSERT_TRUE(m.Deliver());
  EXPECT_EQ(StatusCaption(h, 2), "Cy:  Disconnected");
  EXPECT_EQ(StatusCaption(bob, 2), "Cy:  Disconnected");
  for (int turn = 0; turn < 2; ++turn) {
    if (turn > 0 || !whileResolving) {
      ASSERT_TRUE(m.PlayTurn()) << "turn " << turn << ": " << Captions(h);
    }
    for (Game* g : {&h, &bob}) {
      EXPECT_FLOAT_EQ(g->GameYear, 1.05f + 0.05f * static_cast<float>(turn));
      EXPECT_EQ(Captions(*g), "[Ann:  Taking Turn][Bob:  Taking Turn][Cy:  Disconnected][]")
          << "turn " << turn;
    }
  }
  EXPECT_EQ(m.WaitsOn("Cy"), std::vector<std::string>{});
  EXPECT_EQ(m.bob.session->dropped, 0) << m.bob.session->lastDropped;
}

TEST(GoneSeats, APlayerWhoLeavesAfterHisDoneIsGoneOnEveryWindowAndNoTurnWaitsOnHim) {
  DoneThenLeave(false);
  DoneThenLeave(true);
}

// A saved game of four seats (Ann, Bob, Cy and Dee, all at one machine) in `folder`.
std::string SaveFourSeatGame(const ScratchFolder& folder) {
  testing::TestGame t;
  Game& g = t.game;
  t.ports.recording = false;
  t.ports.onGameCheck = [&g] { GameCheck(g); };
  g.programFolder = folder.path();
  g.random.Seed(5);
  g.setup.txtPL = {"Ann", "Bob", "Cy", "Dee"};
  g.setup.txtPlanets = "16";
  imgStart_Click(g);
  const std::string path = folder.File("four.zq");
  EXPECT_TRUE(SaveGame(g, path));
  return path;
}

// The host loads the saved game of four seats while its own game has the seats `names`: each seat
// of the file whose player is not in this game (so no client saw him leave) shows "Disconnected"
// on every window, whichever seat it is, and two turns end without it.
void LoadWithout(const Names& names) {
  SCOPED_TRACE("the host's game of " + names[0] + "/" + names[1] + "/" + names[2]);
  ScratchFolder folder;
  const std::string path = SaveFourSeatGame(folder);
  Lan m(names);
  ASSERT_EQ(LoadSavedGame(m.host.game, path), LoadOutcome::kLoaded);
  ASSERT_TRUE(m.Deliver());
  m.ForgetNotices();
  const Names fileNames = {"Ann", "Bob", "Cy", "Dee"};
  std::string expected;
  for (int seat = 0; seat < kSeats; ++seat)
    expected += "[" + fileNames[static_cast<size_t>(seat)] +
                (m.Linked(seat) ? ":  Taking Turn]" : ":  Disconnected]");
  for (int turn = 0; turn < 3; ++turn) {
    if (turn > 0) {
      ASSERT_TRUE(m.PlayTurn()) << "turn " << turn << ": " << Captions(m.host.game);
    }
    for (int seat = 0; seat < 3; ++seat) {
      if (!m.Linked(seat)) continue;
      EXPECT_EQ(Captions(*m.seats[seat]), expected) << "on seat " << seat << "'s window, turn " << turn;
    }
  }
  for (int seat = 1; seat < kSeats; ++seat) {
    if (m.Linked(seat)) continue;
    EXPECT_EQ(m.WaitsOn(fileNames[static_cast<size_t>(seat)]), std::vector<std::string>{});
  }
  for (Machine* c : m.clients) EXPECT_EQ(c->session->dropped, 0) << c->session->lastDropped;
}

TEST(GoneSeats, EverySeatOfALoadedGameWithoutItsClientIsGoneOnEveryWindow) {
  LoadWithout({"Ann", "Bob", "Cy", ""});  // Dee, seat 3
  LoadWithout({"Ann", "Bob", "", ""});    // Cy and Dee
  LoadWithout({"Ann", "", "Cy", ""});     // Bob and Dee
}

// Bob saw Cy leave; then his host went. When Bob joins that host again, its next game has Cy
// taking his turn on Bob's window, and Bob's Done leaves the turn waiting on Cy too.
TEST(GoneSeats, AClientJoiningItsHostAgainHasEverySeatBackInTheNextGame) {
  ClientGame c;
  Game& bob = c.g();
  c.t.ports.onGameCheck = [&bob] { GameCheck(bob); };
  c.TakeState(HostGame().g(), 1);
  c.Receive("[STATUS] 02Cy:  Disconnected*");
  ASSERT_EQ(StatusCaption(bob, 2), "Cy:  Disconnected");
  c.t.ports.connected[0] = false;
  c.session->ConnectionLost(0);
  ASSERT_FALSE(bob.GameInProgress);

  ScratchFolder folder;  // where the join keeps the player's name
  bob.programFolder = folder.path();
  bob.setup.txtIP = "127.0.0.1";
  JoinHost(bob);
  c.t.ports.connected[0] = true;
  c.session->ConnectionOpened(0);
  c.TakeState(HostGame().g(), 1);
  ASSERT_TRUE(bob.GameInProgress);
  EXPECT_EQ(Captions(bob), "[Ann:  Taking Turn][Bob:  Taking Turn][Cy:  Taking Turn][]");
  EndSeatTurn(bob);
  EXPECT_EQ(bob.window.txtGame.Text, "- Waiting on Ann & Cy -");
}

// Cy leaves, and Ann starts a new game with the setup that still names him: in the new game Cy is
// gone on every window, also on one that did not see him leave, and no turn or waiting notice
// waits on him.
TEST(GoneSeats, ANewGameOfTheHostAfterAClientLeftHasHisSeatGoneOnEveryWindow) {
  Lan m;
  Game& h = m.host.game;
  m.Leave(2);
  ASSERT_TRUE(m.Deliver());
  ASSERT_EQ(h.setup.txtPL[2], "Cy");
  m.ForgetNotices();
  imgStart_Click(h);
  // The new game as it went out to Bob, taken by a client that never saw Cy leave: Cy is gone
  // there as well, so the state itself says so.
  ClientGame fresh;
  fresh.t.ports.onGameCheck = [&fresh] { GameCheck(fresh.g()); };
  std::string toBob;
  for (const auto& [element, bytes] : m.host.wire.outbox)
    if (element == 1) toBob += bytes;
  fresh.Receive(toBob);
  ASSERT_TRUE(m.Deliver());
  for (Game* g : {&h, &m.bob.game, &fresh.g()})
    EXPECT_EQ(Captions(*g), "[Ann:  Taking Turn][Bob:  Taking Turn][Cy:  Disconnected][]");
  ASSERT_TRUE(m.PlayTurn()) << Captions(h);
  EXPECT_EQ(m.WaitsOn("Cy"), std::vector<std::string>{});
  EXPECT_EQ(m.bob.session->dropped, 0) << m.bob.session->lastDropped;
}

// Bob saw Cy leave, then lost his host, and loads a saved game at his own computer: every seat of
// that game plays in it, Cy's too.
TEST(GoneSeats, AGameLoadedAfterTheHostWasLostHasEverySeatInIt) {
  ScratchFolder folder;
  const std::string path = SaveFourSeatGame(folder);
  ClientGame c;
  Game& bob = c.g();
  c.t.ports.onGameCheck = [&bob] { GameCheck(bob); };
  c.TakeState(HostGame().g(), 1);
  c.Receive("[STATUS] 02Cy:  Disconnected*");
  c.t.ports.connected[0] = false;
  c.session->ConnectionLost(0);
  ASSERT_TRUE(bob.PlayerGone[2]);
  ASSERT_EQ(LoadSavedGame(bob, path), LoadOutcome::kLoaded);
  EXPECT_FALSE(bob.PlayerGone[2]);
  EXPECT_EQ(StatusCaption(bob, 2), "Cy:  Taking Turn");
}

// Bob's host begins a new state and is gone before it is whole, in the lobby and in a game: Bob's
// program is back in its setup with its input free, so the title's Load and a new game answer.
TEST(GoneSeats, AHostLostWhileItsStateComesLeavesTheClientsInputFree) {
  for (const bool inGame : {false, true}) {
    SCOPED_TRACE(inGame ? "in a game" : "in the lobby");
    ClientGame c;
    Game& bob = c.g();
    c.t.ports.onGameCheck = [&bob] { GameCheck(bob); };
    if (inGame) c.TakeState(HostGame().g(), 1);
    c.Receive("[NP] 0014*[N] 00Ann*");
    ASSERT_TRUE(bob.InputBusy);
    c.t.ports.connected[0] = false;
    c.session->ConnectionLost(0);
    EXPECT_FALSE(bob.InputBusy);
    EXPECT_FALSE(bob.GameInProgress);
  }
}

// Bob's host is lost amid a turn's resolution, after Bob's Done, and Bob joins a next host, whose
// lobby sends a turn's end and the turn of the year. Neither belongs to the game Bob lost: both
// are refused, no lock of a turn is set and the lost game's year stays where it was.
TEST(GoneSeats, TurnFramesFromTheNextHostChangeNothingOfAGameLostMidTurn) {
  ClientGame c;
  Game& bob = c.g();
  c.t.ports.onGameCheck = [&bob] { GameCheck(bob); };
  c.TakeState(HostGame().g(), 1);
  EndSeatTurn(bob);
  c.Receive("[ENDTURN] 00Endturn*");
  ASSERT_TRUE(bob.TurnResolving);
  c.t.ports.connected[0] = false;
  c.session->ConnectionLost(0);
  ScratchFolder folder;
  bob.programFolder = folder.path();
  bob.setup.txtIP = "127.0.0.1";
  JoinHost(bob);
  c.t.ports.connected[0] = true;
  c.session->ConnectionOpened(0);
  for (const std::string frame : {"[ENDTURN] 00Endturn*", "[GALAXYROTATE] 00GALAXYROTATE*"}) {
    const int dropped = c.session->dropped;
    c.Receive(frame);
    EXPECT_EQ(c.session->dropped, dropped + 1) << frame;
    EXPECT_FALSE(bob.InputBusy || bob.TurnResolving || bob.window.txtMove.Busy) << frame;
    EXPECT_TRUE(bob.menus.mnuFile.Enabled && bob.menus.mnuOptions.Enabled) << frame;
    EXPECT_FLOAT_EQ(bob.GameYear, 1.0f) << frame;
  }
}

}  // namespace
}  // namespace zarnath
