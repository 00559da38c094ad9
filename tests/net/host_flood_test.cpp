// Floods from a hostile host against the program's client, whose pauses hold its window for their
// real time: whole turns one after another without the client's Done, a status repeated six
// hundred times, and an arrival shown and played two thousand times in one turn. The window never
// goes three seconds without answering, its turn never runs ahead of the host's, and the game
// goes on afterwards. A host that repeats itself as its state comes in hears one mark a state.
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <string>

#include "engine/turn.h"
#include "net/live_clock.h"
#include "net/scripted_host.h"

namespace zarnath {
namespace {

using testing::F;
using testing::kFree;
using testing::LiveClockPorts;
using testing::Rec;
using testing::S;
using testing::StartFrames;
using testing::TurnRest;
using testing::TurnStart;
using testing::WaitFor;

constexpr qint64 kLongestUnanswered = 3000;

// The longest the event loop went without a tick of a 50 ms heartbeat: the longest a click on the
// window would have waited for an answer. Each tick also asks `fault` what went wrong, if
// anything; the first fault, or a window that went too long without answering, ends the flood
// there (`stop`), so that a test fails at once instead of replaying it to its end.
struct Heartbeat {
  QElapsedTimer since;
  qint64 longest = 0;
  QTimer timer;
  std::function<std::string()> fault;
  std::function<void()> stop;
  std::string found;
  Heartbeat() {
    since.start();
    QObject::connect(&timer, &QTimer::timeout, [this] {
      longest = std::max(longest, since.restart());
      Check();
    });
    timer.start(50);
  }
  // Also called from inside the client's pauses, where no tick can come.
  void Check() {
    if (!found.empty()) return;
    const qint64 unanswered = std::max(longest, since.elapsed());
    if (unanswered >= kLongestUnanswered)
      found = "the window went " + std::to_string(unanswered) + " ms without answering";
    else if (fault)
      found = fault();
    if (!found.empty() && stop) stop();
  }
};

// Bob's program, its pauses in real time, joined to a scripted host and in its first turn.
struct Client : testing::BasicJoined<LiveClockPorts> {
  Client() {
    bob.ports.game = &g;
    bob.ports.realPauses = true;
  }
  // Bob presses Done, and his host hears it.
  void Done() {
    EndSeatTurn(g);
    EXPECT_EQ(host.Take(1), std::vector<std::string>{"[STATUS] 01Bob:  Done Turn"});
  }
  // The host's honest turn after Bob's Done; true once Bob's next turn is open.
  bool HonestTurn(int ships) {
    const float year = g.GameYear;
    Done();
    host.peer.Write(TurnStart() + TurnRest(ships));
    return WaitFor([&] { return g.GameYear > year + 0.01f && !g.TurnResolving && !g.InputBusy; });
  }
  // Waits until `count` more frames were refused than `before`, or the flood found a fault.
  bool Refused(int before, int count, const Heartbeat& beat) {
    return WaitFor([&] { return bob.session->dropped - before >= count || !beat.found.empty(); }, 60000) &&
           beat.found.empty();
  }
  // Watches a flood: `fault` names what must not happen; the flood ends at the first fault.
  void Watch(Heartbeat& beat, std::function<std::string()> fault) {
    beat.fault = std::move(fault);
    bob.ports.onPause = [&beat] { beat.Check(); };
    beat.stop = [this] {
      // Bob's program leaves: nothing more is read from the host, and the close throws away
      // what waits.
      bob.net.CloseSocket(0);
    };
  }
};

TEST(HostFlood, WholeTurnsWithoutTheClientsDoneAreRefusedAndTheGameGoesOn) {
  Client c;
  ASSERT_TRUE(c.Start(StartFrames()));
  ASSERT_TRUE(c.HonestTurn(20));
  Heartbeat beat;
  c.Watch(beat, [&] { return c.g.GameYear > 1.06f ? "Bob's turn ran ahead of his host's" : ""; });
  // Three hundred turns, every other one with a pulse bomb shown, and no Done of Bob's in them.
  std::string flood;
  int frames = 0;
  for (int k = 0; k < 300; ++k) {
    flood += F("ENDTURN", 0, "Endturn");
    if (k % 2 == 1) flood += F("TRAVELSHOW", 0, "TravelShow") + F("PULSEBOMB", 8, "PulseBomb"), frames += 2;
    flood += F("GALAXYROTATE", 0, "GALAXYROTATE") + F("TRAVELHIDE", 0, "TravelHide");
    frames += 3;
  }
  const int before = c.bob.session->dropped;
  c.host.peer.Write(flood);
  ASSERT_TRUE(c.Refused(before, frames, beat)) << beat.found;
  EXPECT_EQ(c.bob.session->dropped - before, frames);
  EXPECT_FLOAT_EQ(c.g.GameYear, 1.05f);
  EXPECT_EQ(c.g.window.Caption, "Zarnath - Year 1.05, Turn #1:  Bob");
  // Bob's Done, and the host's next turn is his next.
  ASSERT_TRUE(c.HonestTurn(30));
  EXPECT_FLOAT_EQ(c.g.GameYear, 1.10f);
  EXPECT_EQ(c.g.WorldShips[11], 30.0f);
  EXPECT_EQ(beat.found, "");
}

// A client whose seat has no world takes every turn its host sends, as an honest host's turns
// of a game it only watches; but one turn at a pass of the event loop, so that its window answers
// between them however many have come.
TEST(HostFlood, WholeTurnsToAClientWithoutAWorldAreTakenOneAtAPassOfTheEventLoop) {
  Client c;
  // Bob's home world is Ann's: he is out of the game from its first turn.
  std::string state = StartFrames();
  const std::string bobsHome = F("PO", 9, S(2));
  state.replace(state.find(bobsHome), bobsHome.size(), F("PO", 9, S(1)));
  ASSERT_TRUE(c.Start(state));
  ASSERT_EQ(c.g.SeatStatus[1], TurnStatus::kEliminated);
  Heartbeat beat;
  // Turns taken since the event loop last came round to its timers, and the most of them.
  int turnsThisPass = 0, mostInAPass = 0;
  float lastYear = c.g.GameYear;
  QTimer pass;
  QObject::connect(&pass, &QTimer::timeout, [&] { turnsThisPass = 0; });
  pass.start(0);
  c.Watch(beat, [&] {
    if (c.g.GameYear > lastYear + 0.01f) {
      lastYear = c.g.GameYear;
      mostInAPass = std::max(mostInAPass, ++turnsThisPass);
    }
    return mostInAPass > 1 ? std::to_string(mostInAPass) + " turns were taken in one pass of the event loop"
                           : std::string();
  });
  c.bob.ports.onRefresh = [&](Control) { beat.Check(); };
  std::string flood;
  for (int k = 0; k < 300; ++k)
    flood +=
        F("ENDTURN", 0, "Endturn") + F("GALAXYROTATE", 0, "GALAXYROTATE") + F("TRAVELHIDE", 0, "TravelHide");
  c.host.peer.Write(flood);
  ASSERT_TRUE(WaitFor([&] { return c.g.GameYear > 1.0f + 299.5f * 0.05f || !beat.found.empty(); }, 120000))
      << "year " << c.g.GameYear;
  EXPECT_EQ(beat.found, "");
  EXPECT_EQ(c.bob.session->dropped, 0) << c.bob.session->lastDropped;
  EXPECT_EQ(c.g.SeatStatus[1], TurnStatus::kEliminated);
}

TEST(HostFlood, AStatusRepeatedSixHundredTimesHoldsTheWindowOnce) {
  Client c;
  ASSERT_TRUE(c.Start(StartFrames()));
  c.bob.ports.recording = true;
  Heartbeat beat;
  c.Watch(beat, [&] { return c.bob.ports.Count("Pause 500") > 1 ? "Ann's Done held the window twice" : ""; });
  std::string flood;
  for (int k = 0; k < 600; ++k) flood += F("STATUS", 0, "Ann:  Done Turn");
  const int handled = c.bob.session->handled;
  c.host.peer.Write(flood);
  ASSERT_TRUE(
      WaitFor([&] { return c.bob.session->handled - handled == 600 || !beat.found.empty(); }, 60000) &&
      beat.found.empty())
      << beat.found;
  EXPECT_EQ(c.bob.ports.Count("Pause 500"), 1);
  beat.fault = nullptr;  // the honest turn has pauses of its own
  EXPECT_EQ(c.g.SeatStatus[0], TurnStatus::kDoneTurn);
  ASSERT_TRUE(c.HonestTurn(40));
  EXPECT_EQ(c.g.SeatStatus[0], TurnStatus::kTakingTurn);
  EXPECT_EQ(beat.found, "");
}

TEST(HostFlood, AnArrivalShownAndPlayedTwoThousandTimesLandsOnce) {
  Client c;
  ASSERT_TRUE(c.Start(StartFrames()));
  // Bob's seven ships come home to Juniper (world 9) in this turn.
  const std::string home = Rec(10, 10, 2, 7, 2, 0, 0.2, 0, 0.01), landed = Rec(10, 10, 2, 7, 2, 0, 0.2, 0, 0);
  std::string turn = F("ENDTURN", 0, "Endturn");
  for (int j = 0; j < 100; ++j) turn += F("SEND", j, j == 3 ? home : kFree);
  turn += F("GALAXYROTATE", 0, "GALAXYROTATE") + F("SEND", 3, landed) + F("TRAVELSHOW", 0, "TravelShow") +
          F("REINFORCEMENTS", 3, "Reinforcements");
  for (int k = 0; k < 1999; ++k)
    turn +=
        F("SEND", 3, landed) + F("TRAVELSHOW", 0, "TravelShow") + F("REINFORCEMENTS", 3, "Reinforcements");
  turn += F("TRAVELHIDE", 0, "TravelHide");
  Heartbeat beat;
  c.Watch(beat, [&] { return c.g.WorldShips[9] > 107.0f ? "Bob's ships came home twice" : ""; });
  c.Done();
  const int before = c.bob.session->dropped;
  c.host.peer.Write(turn);
  ASSERT_TRUE(
      WaitFor([&] { return (c.g.GameYear > 1.04f && !c.g.TurnResolving) || !beat.found.empty(); }, 60000) &&
      beat.found.empty())
      << beat.found;
  // Each repeat's object came into an emptied slot as the objects moved, and so did not land.
  EXPECT_EQ(c.bob.session->dropped - before, 2 * 1999);
  EXPECT_EQ(c.g.WorldShips[9], 107.0f);
  EXPECT_EQ(c.g.FleetFrom[3], 0);
  ASSERT_TRUE(c.HonestTurn(50));
  EXPECT_FLOAT_EQ(c.g.GameYear, 1.10f);
  EXPECT_EQ(beat.found, "");
}

// A host that, while its state comes in, asks again and again after the client's own seat (its
// "Taking Turn") and begins the state again and again hears one mark of where the state reached
// the client, and nothing more: whatever it repeats, the client sends one mark a state.
TEST(HostFlood, AHostRepeatingItselfAsItsStateComesInHearsOneMarkAState) {
  testing::Joined c;
  std::string flood = F("NP", 0, S(testing::kWorlds));
  for (int k = 0; k < 20000; ++k) flood += F("STATUS", 1, "Bob:  Taking Turn");
  for (int k = 0; k < 200; ++k) flood += F("NP", 0, S(testing::kWorlds));
  ASSERT_TRUE(c.Start(flood + StartFrames()));
  testing::Settle(100);
  EXPECT_TRUE(c.host.Take(0).empty());
  EXPECT_EQ(c.host.marks, 2u) << "one as Bob joined, one for the state";
  // A second whole state, begun twice: one more mark.
  ASSERT_TRUE(c.Start(F("NP", 0, S(testing::kWorlds)) + StartFrames()));
  testing::Settle(100);
  EXPECT_TRUE(c.host.Take(0).empty());
  EXPECT_EQ(c.host.marks, 3u);
}

}  // namespace
}  // namespace zarnath
