// The flow of a network turn around the steps that yield: a turn's end or a Done that comes while
// another step yields waits for that step and then runs, never inside it; a Done from before a
// new state counts for nothing in it; a Done whose own sends let the next turn open leaves that
// turn alone; and a client takes a host's word on a seat only where it moves the seat forward.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "commands/chat_commands.h"
#include "engine/launch.h"
#include "model/fleet_table.h"
#include "net/full_state.h"
#include "net_protocol/protocol_fixture.h"

namespace zarnath {
namespace {

using testing::ClientGame;
using testing::HostGame;
using Frames = std::vector<std::string>;

const std::string kBobDone = "[STATUS] 01Bob:  Done Turn*";
const std::string kCyDone = "[STATUS] 02Cy:  Done Turn*";

// Ann types a chat line and sends it: the line goes to each client with a yield after each send.
void AnnSays(Game& g, const std::string& line) {
  g.window.txtMessage.Text = line;
  g.window.ImgSendEnabled = true;
  ASSERT_TRUE(ImgSend_Click(g));
}

// Bob's program, joined to the host of Ann, Bob and Cy, in the game's first turn.
struct BobsWindow {
  HostGame h;
  ClientGame c;
  Game& g = c.g();
  BobsWindow() {
    c.t.ports.onGameCheck = [this] { GameCheck(g); };
    c.TakeState(h.g(), 1);
  }
};

// Runs the game's next timer as the event loop would, from its top.
bool NextTimer(HostGame& h) {
  return h.t.ports.FireNextTimer([&](GameTimer timer) { TimerTick(h.g(), timer); });
}

// Ann is done, and so is Bob; Cy's Done, the last, arrives while Ann's chat line goes out. The
// turn ends only once the line is out, from the waiting-steps timer, and a tick of that timer
// inside the line's sends (another event of that step) does not end it there.
TEST(TurnFlow, TheLastDoneArrivingWhileTheHostsStepYieldsEndsTheTurnOnceTheStepIsDone) {
  HostGame h;
  Game& g = h.g();
  EndSeatTurn(g);
  h.Receive(1, kBobDone);
  int yields = 0;
  float yearInStep = 0;
  h.t.ports.onYield = [&] {
    if (++yields == 1) h.Receive(2, kCyDone);
    if (yields == 2) TimerTick(g, GameTimer::kStepsWaiting);
    yearInStep = g.GameYear;
  };
  AnnSays(g, "last call");
  h.t.ports.onYield = nullptr;
  ASSERT_GE(yields, 2);
  EXPECT_FLOAT_EQ(yearInStep, 1.0f);
  EXPECT_FLOAT_EQ(g.GameYear, 1.0f);
  EXPECT_TRUE(g.TurnEndWaiting);
  ASSERT_TRUE(NextTimer(h));
  EXPECT_FLOAT_EQ(g.GameYear, 1.05f);
  EXPECT_FALSE(g.TurnEndWaiting || h.t.ports.TimerEnabled(GameTimer::kStepsWaiting));
}

// Ann presses Done while Bob's Done is relayed; the waiting-steps timer then fires inside the
// yields of Ann's chat line. Her Done waits on until the line is out, then goes out itself.
TEST(TurnFlow, ADoneWaitingForTheTopOfTheLoopDoesNotRunInsideAnotherStepsYield) {
  HostGame h;
  Game& g = h.g();
  h.t.ports.recording = true;
  bool pressed = false;
  h.t.ports.onYield = [&] {
    if (!std::exchange(pressed, true)) EndSeatTurn(g);
  };
  h.Receive(1, kBobDone);
  ASSERT_TRUE(g.DoneWaiting);
  h.t.ports.Clear();
  h.t.ports.onYield = [&] { TimerTick(g, GameTimer::kStepsWaiting); };
  AnnSays(g, "wait");
  h.t.ports.onYield = nullptr;
  EXPECT_EQ(g.SeatStatus[0], TurnStatus::kTakingTurn);
  const Frames line = h.t.ports.Sent();
  EXPECT_EQ(line, (Frames{"[MESSAGE] 00 Ann: wait*", "[MESSAGE] 00 Ann: wait*"}));
  ASSERT_TRUE(NextTimer(h));
  EXPECT_EQ(g.SeatStatus[0], TurnStatus::kDoneTurn);
  EXPECT_FALSE(g.DoneWaiting);
}

// Bob presses Done while his window yields in a departure's announcement, and the host's new
// state follows at once; then, in a second state, while the announcement that the host reset the
// game stands. The new game's first turn is his to play: neither press goes out, however the
// waiting-steps timer fires after the state, and from the reset on nothing waits to go out.
TEST(TurnFlow, ADonePressedAsTheHostResetsTheGameDoesNotEndTheNewGamesFirstTurn) {
  BobsWindow bob;
  HostGame& h = bob.h;
  ClientGame& c = bob.c;
  Game& g = bob.g;
  ASSERT_EQ(g.SeatStatus[1], TurnStatus::kTakingTurn);
  std::string state;
  ForEachStateFrame(h.g(), 1, [&](std::string f, bool) { state += f; });
  c.t.ports.recording = true;
  const auto runTimers = [&] {
    while (c.t.ports.FireNextTimer([&](GameTimer t) {
      if (t == GameTimer::kTurn) return;  // the turn's own clock is not what is looked at here
      TimerTick(g, t);
    }) && c.t.ports.TimerEnabled(GameTimer::kStepsWaiting)) {
    }
  };
  const auto turnIsBobs = [&](const char* when) {
    // Nothing went out but the one mark of where the state reached him.
    EXPECT_EQ(c.t.ports.Sent(), Frames{StateMarkFrame()}) << when;
    EXPECT_FALSE(g.TurnDone) << when;
    EXPECT_EQ(g.SeatStatus[1], TurnStatus::kTakingTurn) << when;
    EXPECT_EQ(g.window.Caption.find("(Done Turn)"), std::string::npos) << when;
  };

  c.t.ports.Clear();
  int presses = 0;
  c.t.ports.onYield = [&] {
    if (++presses == 1) EndSeatTurn(g);
  };
  c.Receive("[STATUS] 02Cy:  Disconnected*" + state);
  ASSERT_GE(presses, 2);
  runTimers();
  turnIsBobs("pressed before the state");

  c.t.ports.Clear();
  presses = 0;
  bool waiting = true;
  c.t.ports.onYield = [&] {
    if (++presses > 1) return;
    EndSeatTurn(g);
    waiting = g.DoneWaiting;
  };
  c.Receive(state);
  c.t.ports.onYield = nullptr;
  ASSERT_GE(presses, 1);
  EXPECT_FALSE(waiting);
  runTimers();
  turnIsBobs("pressed as the host reset the game");
}

// Bob's Done goes out, and while it does the host's whole turn arrives: the turn ends and the
// next opens inside his Done's send. The new turn keeps its own caption, and Bob takes it.
TEST(TurnFlow, ADoneWhoseSendsLetTheNextTurnOpenLeavesThatTurnsCaptionAlone) {
  BobsWindow bob;
  HostGame& h = bob.h;
  Game& host = h.g();
  ClientGame& c = bob.c;
  Game& g = bob.g;
  // The host's turn as it goes to Bob: his Done relayed, then Cy's and Ann's, then the turn.
  h.t.ports.recording = true;
  h.Receive(1, kBobDone);
  h.Receive(2, kCyDone);
  EndSeatTurn(host);
  ASSERT_FLOAT_EQ(host.GameYear, 1.05f);
  std::string turn;
  for (const std::string& call : h.t.ports.calls)
    if (call.starts_with("Send 1 ")) turn += call.substr(7);
  bool delivered = false;
  c.t.ports.onYield = [&] {
    if (!std::exchange(delivered, true)) c.Receive(turn);
  };
  EndSeatTurn(g);
  c.t.ports.onYield = nullptr;
  ASSERT_TRUE(delivered);
  EXPECT_FLOAT_EQ(g.GameYear, 1.05f);
  EXPECT_EQ(c.session->dropped, 0) << c.session->lastDropped;
  EXPECT_FALSE(g.TurnDone);
  EXPECT_EQ(g.SeatStatus[1], TurnStatus::kTakingTurn);
  EXPECT_EQ(g.window.Caption, "Zarnath - Year 1.05, Turn #1:  Bob");
}

// What a client takes of its host's word on a seat: a seat moves from taking its turn to done,
// or out of the game, and no other way. "Eliminated" for its own seat, "Taking Turn" for another
// seat that is done and "Done Turn" for a seat that is gone are refused and change nothing.
TEST(TurnFlow, AClientTakesAHostsWordOnASeatOnlyWhereItMovesTheSeatForward) {
  BobsWindow bob;
  ClientGame& c = bob.c;
  Game& g = bob.g;
  c.Receive("[STATUS] 02Cy:  Done Turn*");
  c.Receive("[STATUS] 00Ann:  Disconnected*");
  ASSERT_EQ(c.session->dropped, 0);
  ASSERT_EQ(g.SeatStatus[2], TurnStatus::kDoneTurn);
  ASSERT_EQ(g.SeatStatus[0], TurnStatus::kDisconnected);
  const auto before = g.SeatStatus;
  const size_t print = testing::Fingerprint(g);
  for (const char* word : {"[STATUS] 01Bob:  Eliminated*", "[STATUS] 02Cy:  Taking Turn*",
                           "[STATUS] 00Ann:  Done Turn*", "[STATUS] 00Ann:  Taking Turn*"}) {
    const int dropped = c.session->dropped;
    c.Receive(word);
    EXPECT_EQ(c.session->dropped, dropped + 1) << word;
    EXPECT_EQ(g.SeatStatus, before) << word;
  }
  EXPECT_EQ(testing::Fingerprint(g), print);
  // Forward it goes: Cy's seat out of the game.
  c.Receive("[STATUS] 02Cy:  Disconnected*");
  EXPECT_EQ(g.SeatStatus[2], TurnStatus::kDisconnected);
}

// Bob sends a fleet, and while its frame goes out the host's new state arrives (it loaded a
// game). The state waits until Bob's order is done: then his window holds the state as the host
// sent it, the order of the game he had nowhere in it, and his turn in it is open.
TEST(TurnFlow, ANewStateArrivingWhileAnOrderGoesOutWaitsUntilTheOrderIsDone) {
  BobsWindow bob;
  Game& g = bob.g;
  Game& host = bob.h.g();
  std::string state;
  ForEachStateFrame(host, 1, [&](std::string f, bool) { state += f; });
  host.GameYear = 1.35f;  // the loaded game's year
  std::string loaded;
  ForEachStateFrame(host, 1, [&](std::string f, bool) { loaded += f; });
  int yields = 0;
  float yearInOrder = 0;
  bob.c.t.ports.onYield = [&] {
    if (++yields == 1) bob.c.session->DataArrival(0, loaded);
    yearInOrder = g.GameYear;
  };
  g.SelectedFrom = kHomeWorld0 + 1;
  g.SelectedTo = 3;
  ASSERT_EQ(Sendships(g, 50), LaunchResult::kLaunched);
  bob.c.t.ports.onYield = nullptr;
  ASSERT_GE(yields, 1);
  EXPECT_FLOAT_EQ(yearInOrder, 1.0f) << "the state was taken inside the order";
  while (bob.c.session->LeftWaiting()) bob.c.session->HandleLeftWaiting();
  EXPECT_FLOAT_EQ(g.GameYear, 1.35f);
  for (int j = 0; j < kUsedFleetSlots; ++j)
    EXPECT_EQ(FleetRecord(g, j), FleetRecord(host, j)) << "slot " << j;
  EXPECT_EQ(g.WorldShips, host.WorldShips);
  EXPECT_FALSE(g.InputBusy || g.TurnDone);
  EXPECT_EQ(bob.c.session->dropped, 0) << bob.c.session->lastDropped;
}

// A new state comes while a step of Bob's window yields and waits until the yields are over. Once
// it is handed back that wait is done with: the host's next turn leaves what follows its end for
// the next pass of the event loop, which hands it back with no step's yields to wait for.
TEST(TurnFlow, AfterAStateThatWaitedForTheYieldsATurnsEndWaitsOnlyForTheNextPass) {
  BobsWindow bob;
  ClientGame& c = bob.c;
  Game& g = bob.g;
  std::string state;
  ForEachStateFrame(bob.h.g(), 1, [&](std::string f, bool) { state += f; });
  bool leftForYields = false;
  c.t.ports.onYield = [&] {
    c.session->DataArrival(0, state);
    leftForYields = c.session->LeftUntilYieldsEnd();
  };
  g.io.platform.Yield();  // a step of Bob's window yields
  c.t.ports.onYield = nullptr;
  ASSERT_TRUE(leftForYields);
  c.session->HandleLeftWaiting();  // the yields are over
  ASSERT_FALSE(c.session->LeftWaiting());

  EndSeatTurn(g);
  c.session->DataArrival(0,
                         "[ENDTURN] 00Endturn*[GALAXYROTATE] 00GALAXYROTATE*[TRAVELSHOW] 00TravelShow*"
                         "[TRAVELHIDE] 00TravelHide*" +
                             kCyDone);
  ASSERT_FLOAT_EQ(g.GameYear, 1.05f);
  EXPECT_TRUE(c.session->LeftWaiting());
  EXPECT_FALSE(c.session->LeftUntilYieldsEnd());
  c.session->HandleLeftWaiting();
  EXPECT_EQ(g.SeatStatus[2], TurnStatus::kDoneTurn);
  EXPECT_EQ(c.session->dropped, 0) << c.session->lastDropped;
}

// Ann and Bob are done when Ann's program sends its whole state again, and Cy's Done, the last,
// arrives while it goes out. No turn ends inside the state: each client receives it whole, from
// its [NP] to its [SHOW], and the turn ends once the state is out.
TEST(TurnFlow, AHostsTurnThatEndsWhileItsStateGoesOutComesAfterTheState) {
  HostGame h;
  Game& g = h.g();
  EndSeatTurn(g);
  h.Receive(1, kBobDone);
  int yields = 0;
  h.t.ports.onYield = [&] {
    if (++yields == 3) h.Receive(2, kCyDone);
  };
  h.t.ports.Clear();
  GalaxySync(g);
  h.t.ports.onYield = nullptr;
  ASSERT_GT(yields, 3);
  EXPECT_FLOAT_EQ(g.GameYear, 1.0f);
  ASSERT_TRUE(NextTimer(h));
  EXPECT_FLOAT_EQ(g.GameYear, 1.05f);
  const Frames sent = h.t.ports.Sent();
  const auto first = [&](const char* tag) {
    return std::find_if(sent.begin(), sent.end(), [&](const std::string& f) { return f.starts_with(tag); });
  };
  const auto lastShow = std::find_if(sent.rbegin(), sent.rend(), [](const std::string& f) {
                          return f.starts_with("[SHOW]");
                        }).base();
  ASSERT_NE(first("[ENDTURN]"), sent.end());
  EXPECT_GT(first("[ENDTURN]"), lastShow);
  EXPECT_EQ(std::count(sent.begin(), sent.end(), "[SHOW] 00Galaxy*"), 2);
}

}  // namespace
}  // namespace zarnath
