// A host the player has left stays left: whatever it sent that still waits is never taken once the
// link to it ends, however it ends; a game whose host went part-way through a turn or a new state
// is never written to a file; and a game loaded afterwards is this machine's own, its File items
// offered and the setup window hidden.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include "engine/save_load.h"
#include "net/full_state.h"
#include "net_protocol/protocol_fixture.h"
#include "persist/persist_fixture.h"

namespace zarnath {
namespace {

using testing::ClientGame;
using testing::HostGame;
using testing::ScratchFolder;

// The ways a client's link to its host ends or opens anew.
struct LinkWay {
  const char* name;
  std::function<void(ClientGame&)> apply;
};

std::vector<LinkWay> LinkWays() {
  return {
      {"the host lost",
       [](ClientGame& c) {
         c.t.ports.connected[0] = false;
         c.session->ConnectionLost(0);
       }},
      {"closed here", [](ClientGame& c) { c.t.ports.CloseSocket(0); }},
      {"a new link opened", [](ClientGame& c) { c.session->ConnectionOpened(0); }},
  };
}

// Bob, in play at seat 1 of Ann's game, has pressed Done and taken the turn's end: the host's
// resolution is under way on his window.
void MidTurn(ClientGame& c) {
  c.t.ports.onGameCheck = [&c] { GameCheck(c.g()); };
  c.TakeState(HostGame().g(), 1);
  EndSeatTurn(c.g());
  c.Receive("[ENDTURN] 00Endturn*");
}

TEST(LeftHosts, EveryWayALinkEndsOrOpensForgetsTheHostsHalfStateAndItsTurn) {
  for (const LinkWay& way : LinkWays()) {
    SCOPED_TRACE(way.name);
    // A state begun: its [NP] and a name taken, the rest never comes.
    ClientGame state;
    state.Receive("[NP] 0014*[N] 00Ann*");
    ASSERT_TRUE(state.session->start.Coming());
    way.apply(state);
    EXPECT_FALSE(state.session->start.Coming());

    // A turn begun: the year's turn that follows belongs to no turn of a link now.
    ClientGame turn;
    MidTurn(turn);
    ASSERT_TRUE(turn.g().TurnResolving);
    const float year = turn.g().GameYear;
    const int dropped = turn.session->dropped;
    way.apply(turn);
    turn.Receive("[GALAXYROTATE] 00GALAXYROTATE*");
    EXPECT_EQ(turn.session->dropped, dropped + 1);
    EXPECT_EQ(turn.g().GameYear, year);
  }
}

// Bob's lobby: a start state of Ann's arrives while a step of his yields, and waits. Bob leaves
// Ann by her name before the step is done: nothing of her game opens, now or at the next pass.
TEST(LeftHosts, AStateWaitingWhenTheClientLeavesItsHostByNameIsNeverTaken) {
  ClientGame c;
  Game& bob = c.g();
  bob.setup.chkLan = 1;
  bob.setup.txtPL = {"Bob", "Ann", "", ""};
  c.t.ports.onGameCheck = [&bob] { GameCheck(bob); };
  std::string state;
  ForEachStateFrame(HostGame().g(), 1, [&](std::string f, bool) { state += f; });
  c.t.ports.onYield = [&] { c.session->DataArrival(0, state); };
  c.t.ports.Yield();
  ASSERT_TRUE(c.session->LeftWaiting());
  c.t.ports.answers = {Answer::kYes};  // "Do You Want to Disconnect From This Server?"
  txtPL_Click(bob, 1);
  ASSERT_FALSE(c.t.ports.SocketConnected(0));
  while (c.session->LeftWaiting()) c.session->HandleLeftWaiting();
  EXPECT_EQ(c.session->handled, 0);
  EXPECT_FALSE(bob.GameInProgress);
  EXPECT_FALSE(bob.window.Visible);
  EXPECT_FALSE(c.session->start.Coming());
}

// A game whose host went part-way (amid the turn's resolution, or while a new state came in) is
// refused by the save with a reason, and no file is written; a game whose host went between
// turns, and a game loaded over a refused one, save as ever.
TEST(LeftHosts, AGameLeftPartWayIsNeverSavedAndAWholeOneIs) {
  ScratchFolder folder;
  const std::string path = folder.File("left.zq");
  const std::function<void(ClientGame&)> partWay[] = {
      [](ClientGame& c) { c.Receive("[GALAXYROTATE] 00GALAXYROTATE*"); },
      [](ClientGame& c) { c.Receive("[NP] 0014*[N] 00Ann*"); },
  };
  for (const bool closedHere : {false, true})
    for (const auto& leave : partWay) {
      ClientGame c;
      MidTurn(c);
      leave(c);
      if (closedHere) {
        c.t.ports.CloseSocket(0);
      } else {
        c.t.ports.connected[0] = false;
        c.session->ConnectionLost(0);
      }
      c.t.ports.Clear();
      EXPECT_FALSE(SaveGame(c.g(), path));
      EXPECT_EQ(c.t.ports.Count("MessageBox Zarnath Error: The game was not saved.\rThe connection with "
                                "the server ended part-way through a turn or a new game, so no whole "
                                "turn of this game is left to save."),
                1);
      EXPECT_FALSE(std::filesystem::exists(path));
    }

  // Between turns, the lost host's last whole turn is the player's to keep.
  ClientGame whole;
  whole.t.ports.onGameCheck = [&whole] { GameCheck(whole.g()); };
  whole.TakeState(HostGame().g(), 1);
  whole.t.ports.connected[0] = false;
  whole.session->ConnectionLost(0);
  ASSERT_TRUE(SaveGame(whole.g(), path));

  // Loaded over a game left part-way, or taken whole from a next host, the game is whole again.
  for (const bool load : {true, false}) {
    ClientGame c;
    MidTurn(c);
    c.t.ports.connected[0] = false;
    c.session->ConnectionLost(0);
    if (load) {
      ASSERT_EQ(LoadSavedGame(c.g(), path), LoadOutcome::kLoaded);
    } else {
      c.t.ports.connected[0] = true;
      c.session->ConnectionOpened(0);
      c.TakeState(HostGame().g(), 1);
      ASSERT_TRUE(c.g().GameInProgress);
    }
    EXPECT_TRUE(SaveGame(c.g(), folder.File("again.zq")));
  }
}

// A client's game greys New Game, Load Game and Reset Solar System; once its host is gone, a game
// loaded at this computer offers all three and stands alone, the setup window hidden.
TEST(LeftHosts, AGameLoadedAfterAClientsGameIsThisComputersOwn) {
  ScratchFolder folder;
  ClientGame c;
  Game& bob = c.g();
  c.t.ports.onGameCheck = [&bob] { GameCheck(bob); };
  c.TakeState(HostGame().g(), 1);
  ASSERT_FALSE(bob.menus.mnuFileNew.Enabled);
  c.t.ports.connected[0] = false;
  c.session->ConnectionLost(0);
  const std::string path = folder.File("whole.zq");
  ASSERT_TRUE(SaveGame(bob, path));
  bob.window.SetupVisible = true;
  c.t.ports.Clear();
  ASSERT_EQ(LoadSavedGame(bob, path), LoadOutcome::kLoaded);
  EXPECT_TRUE(bob.menus.mnuFileNew.Enabled);
  EXPECT_TRUE(bob.menus.mnuFileLoad.Enabled);
  EXPECT_TRUE(bob.menus.mnuFileNewSS.Enabled);
  EXPECT_FALSE(bob.window.SetupVisible);
  EXPECT_EQ(c.t.ports.Count("HideSetupWindow"), 1);
  EXPECT_TRUE(bob.window.Visible);
}

}  // namespace
}  // namespace zarnath
