// Which game a client's Done belongs to, as a LAN host tells it: a client of this program marks
// its joining and each state of a game that reaches it, and until it has marked every state its
// host sent it, its Done was given in the game it had before and counts for nothing, on every seat
// and however many states are on their way, with no answer that could undo a Done given since. A
// client that never marks is taken as it speaks, also on a seat that a marking client left; one
// that marks counts from its own marks there, whatever its seat's last client left unmarked.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "commands/menu_commands.h"
#include "engine/game_window.h"
#include "engine/save_load.h"
#include "engine/turn.h"
#include "model/game_texts.h"
#include "net/full_state.h"
#include "net/lobby.h"
#include "net/net_session.h"
#include "net/protocol.h"
#include "net_protocol/network_machines.h"
#include "net_protocol/protocol_fixture.h"
#include "persist/persist_fixture.h"

namespace zarnath {
namespace {

using testing::Lobby;
using testing::ScratchFolder;
using testing::ThreeMachines;

// Ann hosting a LAN lobby of 16 worlds, room for three clients. Each state of her games goes out
// through the host's own sync, which counts it for every client it reaches.
struct AnnsLobby : Lobby {
  AnnsLobby() : Lobby(16) {
    Game& g = t.game;
    t.ports.onGameCheck = [&g] { GameCheck(g); };
    t.ports.onGalaxySync = [&g] { GalaxySync(g); };
    g.random.Seed(7);
  }
  // A client that knows only the game's frames: it connects and names itself.
  void Connect(int seat, const std::string& name) { Lobby::Join(seat, name); }
  // A client of this program: its mark follows its name.
  void Join(int seat, const std::string& name) {
    Connect(seat, name);
    Mark(seat);
  }
  void Mark(int seat) { session->DataArrival(seat, StateMarkFrame()); }
  // What the host made of a Done from the client on `seat`: "taken" (the seat is done and the
  // client told so), "nothing" (the seat still takes its turn and nobody was sent a thing), or
  // what else came of it.
  std::string Done(int seat) {
    Game& g = t.game;
    const size_t n = static_cast<size_t>(seat);
    const std::string done = Frame(Tag::kStatus, seat, g.PlayerName[n] + ":  Done Turn");
    t.ports.Clear();
    session->DataArrival(seat, done);
    const auto sent = t.ports.Sent();
    if (g.SeatStatus[n] == TurnStatus::kTakingTurn && sent.empty()) return "nothing";
    if (g.SeatStatus[n] == TurnStatus::kDoneTurn && t.ports.Has("Send " + std::to_string(seat) + " " + done))
      return "taken";
    return StatusCaption(g, seat) + ", sent " + (sent.empty() ? "nothing" : sent.front());
  }
};

// Bob, Cy and Dee, each marking, in Ann's game of four seats, every one of them on the game's
// first state.
void StartFourSeats(AnnsLobby& l) {
  l.Join(1, "Bob");
  l.Join(2, "Cy");
  l.Join(3, "Dee");
  imgStart_Click(l.g());
  for (int seat = 1; seat <= 3; ++seat) l.Mark(seat);
}

// Every client's Done that was on its way as Ann loaded a saved game, and again as she started a
// new one, counts for nothing there, the last seat's too; once a client has marked the new state,
// its Done counts.
TEST(StateMarks, EverySeatsDoneFromBeforeALoadOrANewGameCountsOnlyAfterItsMark) {
  ScratchFolder folder;
  AnnsLobby l;
  Game& g = l.g();
  StartFourSeats(l);
  const std::string path = folder.File("four.zq");
  ASSERT_TRUE(SaveGame(g, path));
  for (const bool load : {true, false}) {
    SCOPED_TRACE(load ? "a load" : "a new game");
    if (load) {
      ASSERT_EQ(LoadSavedGame(g, path), LoadOutcome::kLoaded);
    } else {
      ASSERT_TRUE(mnuFileNew_Click(g));
    }
    for (int seat = 1; seat <= 3; ++seat) {
      EXPECT_EQ(l.Done(seat), "nothing") << "seat " << seat << ", before its mark";
      l.Mark(seat);
      EXPECT_EQ(l.Done(seat), "taken") << "seat " << seat << ", after its mark";
    }
  }
}

// Ann loads a saved game and then loads again, or starts a new game, before Bob's mark of the
// first reaches her: the Done Bob gave in the first state counts for nothing in the second, and
// only after his second mark does his Done count.
TEST(StateMarks, ADoneGivenInAStateThatWasReplacedBeforeItsMarkCountsForNothing) {
  ScratchFolder folder;
  const std::string path = folder.File("two.zq");
  for (const bool newGame : {false, true}) {
    SCOPED_TRACE(newGame ? "a load, then a new game" : "two loads");
    AnnsLobby l;
    Game& g = l.g();
    l.Join(1, "Bob");
    l.Join(2, "Cy");
    imgStart_Click(g);
    l.Mark(1);
    l.Mark(2);
    ASSERT_TRUE(SaveGame(g, path));
    ASSERT_EQ(LoadSavedGame(g, path), LoadOutcome::kLoaded);
    if (newGame) {
      ASSERT_TRUE(mnuFileNew_Click(g));
    } else {
      ASSERT_EQ(LoadSavedGame(g, path), LoadOutcome::kLoaded);
    }
    EXPECT_EQ(l.Done(1), "nothing");  // from the game before both
    l.Mark(1);
    EXPECT_EQ(l.Done(1), "nothing");  // from the first of them
    l.Mark(1);
    EXPECT_EQ(l.Done(1), "taken");
  }
}

// Carries the host's frames to its clients, and nothing back.
void HostToClients(ThreeMachines& m) {
  for (auto& [element, bytes] : std::exchange(m.host.wire.outbox, {})) {
    if (element != 1 && element != 2) continue;
    NetSession& client = *m.clients[element - 1]->session;
    client.DataArrival(0, bytes);
    while (client.LeftWaiting()) client.HandleLeftWaiting();
  }
}

// Bob presses Done, and Ann loads a saved game before it reaches her. It reaches her before Bob
// has the loaded game, or after he pressed Done in that one as well: either way Ann answers it
// with nothing, and Bob's window stays as the loaded game and his own Done in it left it.
TEST(StateMarks, AnOldDoneRefusedAfterALoadChangesNothingOnTheClientsWindow) {
  ScratchFolder folder;
  const std::string path = folder.File("old.zq");
  for (const bool doneAgain : {false, true}) {
    SCOPED_TRACE(doneAgain ? "Bob pressed Done in the loaded game"
                           : "the loaded game has not reached Bob yet");
    ThreeMachines m;
    Game& h = m.host.game;
    Game& bob = m.bob.game;
    h.random.Seed(17);
    h.NetworkGame = h.setup.OptServerClient0 = true;
    h.setup.chkLan = 1;
    h.setup.txtPL = {"Ann", "Bob", "Cy", ""};
    h.setup.txtPlanets = "14";
    imgStart_Click(h);
    ASSERT_TRUE(m.Deliver());
    ASSERT_TRUE(SaveGame(h, path));
    EndSeatTurn(bob);
    ASSERT_EQ(m.bob.wire.outbox.size(), 1u);
    const std::string oldDone = m.bob.wire.outbox.front().second;
    m.bob.wire.outbox.clear();
    ASSERT_EQ(LoadSavedGame(h, path), LoadOutcome::kLoaded);
    if (doneAgain) {
      HostToClients(m);
      EndSeatTurn(bob);
      ASSERT_TRUE(bob.TurnDone);
    }
    const size_t sent = m.host.wire.outbox.size();
    m.host.session->DataArrival(1, oldDone);
    EXPECT_EQ(m.host.wire.outbox.size(), sent) << "answered " << m.host.wire.outbox.back().second;
    EXPECT_EQ(h.SeatStatus[1], TurnStatus::kTakingTurn);
    ASSERT_TRUE(m.Deliver());
    EXPECT_EQ(StatusCaption(bob, 1), doneAgain ? "Bob:  Done Turn" : "Bob:  Taking Turn");
    EXPECT_EQ(bob.TurnDone, doneAgain);
    EXPECT_EQ(StatusCaption(h, 1), StatusCaption(bob, 1));
  }
}

// Eve's program never marks. She takes the last seat after Dee, whose program marks, left it: in
// the lobby, and after a game that Ann loaded before Dee's mark of it came. Either way Eve plays
// with her Done taken.
TEST(StateMarks, AClientThatNeverMarksIsTakenOnASeatAMarkingClientLeft) {
  {
    SCOPED_TRACE("Dee left the lobby");
    AnnsLobby l;
    l.Join(1, "Bob");
    l.Join(2, "Cy");
    l.Join(3, "Dee");
    l.Leave(3);
    l.Connect(3, "Eve");
    imgStart_Click(l.g());
    EXPECT_EQ(l.Done(3), "taken");
  }
  {
    SCOPED_TRACE("Dee left a state unmarked");
    ScratchFolder folder;
    AnnsLobby l;
    Game& g = l.g();
    StartFourSeats(l);
    const std::string path = folder.File("left.zq");
    ASSERT_TRUE(SaveGame(g, path));
    ASSERT_EQ(LoadSavedGame(g, path), LoadOutcome::kLoaded);
    l.Leave(3);
    ClearGame(g);  // the game ends, as a conquest ends it, and the lobby is Ann's again
    l.Connect(3, "Eve");
    imgStart_Click(g);
    ASSERT_EQ(g.PlayerName[3], "Eve");
    EXPECT_EQ(l.Done(3), "taken");
  }
}

// Ann loaded her game twice, and Dee, whose program marks, left before he marked either load.
// Eve's program marks too: she takes Dee's seat in Ann's next game, her joining mark coming before
// the game starts or after, and marks the state she is sent. What Dee left unmarked is not hers:
// once her mark of that state is in, and not before, her Done counts and, with every other
// seat's, ends the turn.
TEST(StateMarks, AMarkingClientOnASeatLeftWithStatesUnmarkedCountsFromItsOwnMark) {
  for (const bool lateJoiningMark : {false, true}) {
    SCOPED_TRACE(lateJoiningMark ? "Eve's joining mark after the start" : "Eve's joining mark before it");
    ScratchFolder folder;
    AnnsLobby l;
    Game& g = l.g();
    StartFourSeats(l);
    const std::string path = folder.File("left.zq");
    ASSERT_TRUE(SaveGame(g, path));
    for (int load = 0; load < 2; ++load) {
      ASSERT_EQ(LoadSavedGame(g, path), LoadOutcome::kLoaded);
      l.Mark(1);  // Bob and Cy mark each load
      l.Mark(2);
    }
    l.Leave(3);
    ClearGame(g);
    l.Connect(3, "Eve");
    if (!lateJoiningMark) l.Mark(3);
    imgStart_Click(g);
    ASSERT_EQ(g.PlayerName[3], "Eve");
    if (lateJoiningMark) l.Mark(3);
    EXPECT_EQ(l.Done(3), "nothing");  // before her mark of the state she was sent
    l.Mark(3);
    EXPECT_EQ(l.Done(3), "taken");
    for (int seat = 1; seat <= 2; ++seat) {
      l.Mark(seat);
      ASSERT_EQ(l.Done(seat), "taken") << "seat " << seat;
    }
    EndSeatTurn(g);
    EXPECT_FLOAT_EQ(g.GameYear, 1.05f);
  }
}

// Bob's joining mark follows his name, and Ann starts the game between the two: the start's state
// is his to mark all the same, so once his late joining mark is in, his Done waits for that mark.
TEST(StateMarks, AStateSentBeforeTheJoiningMarkIsStillTheClientsToMark) {
  AnnsLobby l;
  l.Connect(1, "Bob");
  imgStart_Click(l.g());
  l.Mark(1);  // his joining
  EXPECT_EQ(l.Done(1), "nothing");
  l.Mark(1);  // the start's state
  EXPECT_EQ(l.Done(1), "taken");
}

}  // namespace
}  // namespace zarnath
