// Where each seat stands in a network game's turn, as the host counts it and every window shows
// it: a Done taken while another step yields waits for that step, so each Done is relayed before
// the host ends the turn; a client is done only by its own Done; a player who left stays gone.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/save_load.h"
#include "net_protocol/protocol_fixture.h"
#include "persist/persist_fixture.h"

namespace zarnath {
namespace {

using testing::ClientGame;
using testing::HostGame;
using testing::ScratchFolder;
using Frames = std::vector<std::string>;

const std::string kBobDone = "[STATUS] 01Bob:  Done Turn*";
const std::string kCyDone = "[STATUS] 02Cy:  Done Turn*";
const std::string kAnnDone = "[STATUS] 00Ann:  Done Turn*";
const std::string kEndTurn = "[ENDTURN] 00Endturn*";

Frames FirstSent(const HostGame& h, size_t count) {
  Frames sent = h.t.ports.Sent();
  sent.resize(std::min(sent.size(), count));
  return sent;
}

size_t CallAt(const std::vector<std::string>& calls, const std::string& call) {
  return static_cast<size_t>(std::find(calls.begin(), calls.end(), call) - calls.begin());
}

// The host's player presses Done while the host relays the last client's Done: the press waits
// until the relay is out, and the turn then ends once, after every Done went to every client.
TEST(SeatStatus, AHostDonePressedDuringARelayWaitsUntilTheRelayIsOut) {
  HostGame h;
  Game& g = h.g();
  h.Receive(1, kBobDone);
  h.t.ports.Clear();
  bool pressed = false;
  h.t.ports.onYield = [&] {
    if (!std::exchange(pressed, true)) EndSeatTurn(g);
  };
  h.Receive(2, kCyDone);
  h.t.ports.onYield = nullptr;
  EXPECT_EQ(g.GameYear, 1.0f);
  EXPECT_EQ(h.t.ports.Sent(), (Frames{kCyDone, kCyDone}));
  ASSERT_TRUE(g.DoneWaiting && h.t.ports.TimerEnabled(GameTimer::kStepsWaiting));
  TimerTick(g, GameTimer::kStepsWaiting);
  EXPECT_FLOAT_EQ(g.GameYear, 1.05f);
  EXPECT_EQ(FirstSent(h, 6), (Frames{kCyDone, kCyDone, kAnnDone, kAnnDone, kEndTurn, kEndTurn}));
  EXPECT_FALSE(h.t.ports.TimerEnabled(GameTimer::kStepsWaiting));
}

// The last client's Done arrives while the host's own Done goes out: it is relayed at once, but
// the turn ends only when the host's Done has reached every client, and only once.
TEST(SeatStatus, ALastDoneArrivingWhileTheHostsDoneGoesOutEndsTheTurnOnceAfterIt) {
  HostGame h;
  Game& g = h.g();
  h.Receive(1, kBobDone);
  h.t.ports.Clear();
  bool arrived = false;
  h.t.ports.onYield = [&] {
    if (!std::exchange(arrived, true)) h.Receive(2, kCyDone);
  };
  EndSeatTurn(g);
  h.t.ports.onYield = nullptr;
  EXPECT_FLOAT_EQ(g.GameYear, 1.05f);
  EXPECT_EQ(FirstSent(h, 6), (Frames{kAnnDone, kCyDone, kCyDone, kAnnDone, kEndTurn, kEndTurn}));
  // The count the relay asked for finds the next turn open: nothing more ends.
  TimerTick(g, GameTimer::kStepsWaiting);
  EXPECT_FLOAT_EQ(g.GameYear, 1.05f);
  const Frames sent = h.t.ports.Sent();
  EXPECT_EQ(std::count(sent.begin(), sent.end(), kEndTurn), 2);
  EXPECT_FALSE(h.t.ports.TimerEnabled(GameTimer::kStepsWaiting));
  for (int seat = 0; seat < 3; ++seat)
    EXPECT_EQ(g.SeatStatus[static_cast<size_t>(seat)], TurnStatus::kTakingTurn);
}

// Bob's window is done only by Bob's own Done; a status that changes nothing holds nothing; and
// when the host gives the turn back, Done and the turn timer work again.
TEST(SeatStatus, AClientIsDoneOnlyByItsOwnDoneAndTakesItsTurnBackWhenItsHostSaysSo) {
  HostGame h;
  ClientGame c;
  c.t.ports.onGameCheck = [&] { GameCheck(c.g()); };
  c.TakeState(h.g(), 1);
  Game& g = c.g();
  c.t.ports.recording = true;
  c.Receive(kBobDone);
  EXPECT_EQ(g.SeatStatus[1], TurnStatus::kTakingTurn);
  EXPECT_EQ(c.session->dropped, 1);
  c.t.ports.Clear();
  EndSeatTurn(g);
  EXPECT_EQ(c.t.ports.Sent(), Frames{kBobDone});
  // The host's echo of it, and a second one, change nothing: no notice, sound or pause.
  c.t.ports.Clear();
  c.Receive(kBobDone + kBobDone);
  EXPECT_EQ(c.session->dropped, 1);
  EXPECT_FALSE(c.t.ports.Has("Pause 500") || c.t.ports.Has("Sound gameinfo.wav"));
  // Ann's Done shows once.
  c.Receive(kAnnDone + kAnnDone);
  EXPECT_EQ(c.t.ports.Count("Pause 500"), 1);
  // The host did not take Bob's Done after his timer ran out: the turn is his again.
  g.TurnMinutesLeft = 0;
  c.Receive("[STATUS] 01Bob:  Taking Turn*");
  EXPECT_TRUE(!g.TurnDone && g.SeatStatus[1] == TurnStatus::kTakingTurn);
  EXPECT_TRUE(c.t.ports.TimerEnabled(GameTimer::kTurn) && g.TurnMinutesLeft == 1);
  EXPECT_EQ(g.window.Caption.find("(Done Turn)"), std::string::npos);
  c.t.ports.Clear();
  EndSeatTurn(g);
  EXPECT_EQ(c.t.ports.Sent(), Frames{kBobDone});
  // Once the host resolves the turn, no status gives it back.
  c.Receive(kEndTurn + "[STATUS] 01Bob:  Taking Turn*");
  EXPECT_TRUE(g.TurnDone && g.TurnResolving);
  EXPECT_EQ(c.session->dropped, 2);
}

// A Done the host cannot take is answered with the seat's status as the host holds it, to that
// client alone; not while the turn resolves, and not to a seat gone from the game.
TEST(SeatStatus, AHostThatCannotTakeADoneTellsTheClientWhereItsSeatStands) {
  HostGame h;
  Game& g = h.g();
  h.Receive(1, kBobDone);
  h.t.ports.Clear();
  h.Receive(1, kBobDone);
  EXPECT_EQ(h.t.ports.calls, (std::vector<std::string>{"Send 1 " + kBobDone, "Yield"}));
  g.SeatStatus[2] = TurnStatus::kEliminated;
  h.t.ports.Clear();
  h.Receive(2, kCyDone);
  // A client that knows only the game's frames is told of a seat nothing but Done or departure;
  // the program's own (it marks its states) hears its seat is out.
  EXPECT_TRUE(h.t.ports.Sent().empty());
  h.Receive(2, StateMarkFrame());
  h.Receive(2, kCyDone);
  EXPECT_EQ(h.t.ports.Sent(), Frames{"[STATUS] 02Cy:  Eliminated*"});
  g.SeatStatus[2] = TurnStatus::kDoneTurn;
  g.TurnResolving = true;
  h.t.ports.Clear();
  h.Receive(2, kCyDone);
  g.TurnResolving = false;
  g.PlayerGone[2] = true;
  h.Receive(2, kCyDone);
  EXPECT_TRUE(h.t.ports.Sent().empty());
  EXPECT_EQ(h.session->dropped, 5);
}

// A client that leaves is told to the others before the host's own five-second announcement, and
// stays gone on every window when the host loads a saved game: the loaded game does not wait on
// it, and a client that knew it left is not told again.
TEST(SeatStatus, APlayerWhoLeftIsToldAtOnceAndStaysGoneAfterTheHostReloads) {
  ScratchFolder folder;
  HostGame h;
  Game& g = h.g();
  ClientGame bob;
  h.Receive(1, StateMarkFrame());  // Bob said on joining that he marks his states
  bob.TakeState(g, 1);
  h.t.ports.connected[2] = false;
  h.session->ConnectionLost(2);
  const auto& calls = h.t.ports.calls;
  EXPECT_LT(CallAt(calls, "Send 1 [STATUS] 02Cy:  Disconnected*"), CallAt(calls, "Pause 5000"));
  ASSERT_LT(CallAt(calls, "Pause 5000"), calls.size());
  bob.Receive("[STATUS] 02Cy:  Disconnected*");
  ASSERT_TRUE(bob.g().PlayerGone[2]);

  const std::string path = folder.File("left.zq");
  ASSERT_TRUE(SaveGame(g, path));
  h.t.ports.onGalaxySync = [&] { GalaxySync(g); };
  h.t.ports.Clear();
  ASSERT_EQ(LoadSavedGame(g, path), LoadOutcome::kLoaded);
  EXPECT_TRUE(g.PlayerGone[2]);
  EXPECT_EQ(StatusCaption(g, 2), "Cy:  Disconnected");
  EXPECT_EQ(StatusCaption(g, 1), "Bob:  Taking Turn");
  for (const std::string& sent : h.t.ports.calls)
    if (sent.starts_with("Send 1 ")) bob.Receive(sent.substr(7));
  h.Receive(1, StateMarkFrame());  // where the first load reached Bob
  // So is a seat of the file that has no client here, whoever it was.
  g.PlayerGone[2] = false;
  h.t.ports.Clear();
  ASSERT_EQ(LoadSavedGame(g, path), LoadOutcome::kLoaded);
  EXPECT_TRUE(g.PlayerGone[2]);
  EXPECT_EQ(StatusCaption(g, 2), "Cy:  Disconnected");
  bob.t.ports.recording = true;
  bob.t.ports.Clear();
  for (const std::string& sent : h.t.ports.calls)
    if (sent.starts_with("Send 1 ")) bob.Receive(sent.substr(7));
  EXPECT_EQ(StatusCaption(bob.g(), 2), "Cy:  Disconnected");
  EXPECT_FALSE(bob.t.ports.Has("Pause 5000"));
  EXPECT_EQ(bob.session->dropped, 0);
  // Bob marks where the loaded game reached him; the loaded turn ends without Cy.
  ASSERT_TRUE(bob.t.ports.Has("Send 0 " + StateMarkFrame()));
  h.Receive(1, StateMarkFrame());
  const float year = g.GameYear;
  h.Receive(1, kBobDone);
  EndSeatTurn(g);
  EXPECT_FLOAT_EQ(g.GameYear, year + 0.05f);
  EXPECT_EQ(StatusCaption(g, 2), "Cy:  Disconnected");
  EXPECT_EQ(StatusCaption(g, 0), "Ann:  Taking Turn");
}

}  // namespace
}  // namespace zarnath
