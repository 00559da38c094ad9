// The Done button in a network game, the host's end-of-turn count, the timers' dispatch and the
// program's wiring of the game's steps.
#include <gtest/gtest.h>

#include "engine/engine_flow.h"
#include "engine/turn.h"
#include "engine_fixture.h"

namespace zarnath {
namespace {

using testing::EngineGame;

// Ann hosts; Bob and Cid are clients on sockets 1 and 2.
struct Lan : EngineGame {
  Lan() {
    Seat4({{{"Ann"}, {"Bob"}, {"Cid"}, {}}});
    game.SpeedGame = true;
    game.NetworkGame = true;
    game.setup.OptServerClient0 = true;
    ports.socketCount = 3;
    ports.connected = {false, true, true};
    GameCheck(game);
    ports.Clear();
    notices.clear();
  }
  // A client's "[STATUS]" arriving at the host: the caption, the relay and the count.
  bool StatusArrives(int seat) {
    game.window.lblStatus[seat] = game.PlayerName[seat] + ":  Done Turn";
    return HostEndTurnIfAllDone(game);
  }
};

TEST(NetworkDone, TheTurnEndsOnTheDoneThatCompletesTheCount) {
  Lan f;
  Game& g = f.g();
  ImgDone_Click(g);
  EXPECT_TRUE(g.TurnDone);
  EXPECT_EQ(g.window.lblStatus[0], "Ann:  Done Turn");
  EXPECT_EQ(f.ports.Sent(),
            (std::vector<std::string>{"[STATUS] 00Ann:  Done Turn*", "[STATUS] 00Ann:  Done Turn*"}));
  EXPECT_EQ(HostFinishedSeats(g), 1);
  EXPECT_EQ(g.window.Caption, "Zarnath - Year 1.00, Turn #0:  Ann (Done Turn)");
  EXPECT_TRUE(f.Noticed("- Waiting on Bob & Cid -"));
  EXPECT_TRUE(f.ports.Has("Focus txtMessage"));

  EXPECT_FALSE(f.StatusArrives(1));
  EXPECT_EQ(HostFinishedSeats(g), 2);
  f.ports.Clear();
  EXPECT_TRUE(f.StatusArrives(2));
  const std::vector<std::string> sent = f.ports.Sent();
  ASSERT_GE(sent.size(), 3u);
  EXPECT_EQ(sent[0], "[ENDTURN] 00Endturn*");
  EXPECT_EQ(sent[1], "[ENDTURN] 00Endturn*");
  EXPECT_EQ(sent[2].substr(0, 9), "[SEND] 00");
  EXPECT_EQ(g.GameYear, 1.05f);
}

TEST(NetworkDone, ASecondPressIsRefused) {
  Lan f;
  Game& g = f.g();
  ImgDone_Click(g);
  f.ports.Clear();
  ImgDone_Click(g);
  EXPECT_TRUE(f.ports.Sent().empty());
  EXPECT_EQ(f.ports.calls, (std::vector<std::string>{"Focus txtMessage"}));
}

TEST(NetworkDone, AGoneSeatCountsOnceAndCannotHoldTheTurn) {
  Lan f;
  Game& g = f.g();
  // Cid had finished, then his connection closed: his seat is counted once, not twice.
  g.window.lblStatus[2] = "Cid:  Done Turn";
  f.ports.connected[2] = false;
  ImgDone_Click(g);
  EXPECT_EQ(HostFinishedSeats(g), 2);
  EXPECT_EQ(g.GameYear, 1.0f);
  EXPECT_TRUE(f.StatusArrives(1));
  EXPECT_EQ(g.GameYear, 1.05f);
}

TEST(NetworkDone, ADisconnectedSeatCountsAsFinished) {
  Lan f;
  Game& g = f.g();
  g.window.lblStatus[2] = "Cid:  Disconnected";
  g.PlayerGone[2] = true;
  f.ports.connected[2] = false;
  ImgDone_Click(g);
  EXPECT_EQ(g.GameYear, 1.0f);
  EXPECT_TRUE(f.StatusArrives(1));
  EXPECT_EQ(g.GameYear, 1.05f);
  EXPECT_EQ(f.ports.Count("Send 2 [ENDTURN] 00Endturn*"), 0);
}

TEST(NetworkDone, AClientTellsTheHostOnlyWhileConnected) {
  Lan f;
  Game& g = f.g();
  g.setup.OptServerClient0 = false;
  g.CurrentPlayer = 1;
  f.ports.socketCount = 1;
  f.ports.connected = {true};
  ImgDone_Click(g);
  EXPECT_EQ(f.ports.Sent(), (std::vector<std::string>{"[STATUS] 01Bob:  Done Turn*"}));
  EXPECT_EQ(f.ports.calls[static_cast<size_t>(f.Index("Send 0 [STATUS] 01Bob:  Done Turn*") + 1)], "Yield");
  EXPECT_TRUE(f.Noticed("- Waiting on Ann & Cid -"));
  EXPECT_EQ(g.window.Caption, "Zarnath - Year 1.00, Turn #0:  Bob (Done Turn)");

  Lan lost;
  Game& l = lost.g();
  l.setup.OptServerClient0 = false;
  l.CurrentPlayer = 1;
  lost.ports.socketCount = 1;
  lost.ports.connected = {false};
  ImgDone_Click(l);
  EXPECT_TRUE(lost.ports.Sent().empty());
  EXPECT_TRUE(l.TurnDone);
  EXPECT_EQ(l.window.lblStatus[1], "Bob:  Done Turn");
}

TEST(NetworkDone, AnEliminatedSeatCannotPressDone) {
  Lan f;
  Game& g = f.g();
  g.window.lblStatus[0] = "Ann:  Eliminated";
  ImgDone_Click(g);
  EXPECT_FALSE(g.TurnDone);
  EXPECT_TRUE(f.ports.Sent().empty());
}

TEST(Timers, TheComputerTimerPressesDoneOrGoesToItsHandler) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{"Ann"}, {"Bob"}, {}, {}}});
  GameCheck(g);
  int handled = 0;
  TimerTick(g, GameTimer::kAI, [&] { ++handled; });
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(g.CurrentPlayer, 0);
  TimerTick(g, GameTimer::kAI);
  EXPECT_TRUE(f.ports.Has("Timer tmrAI off 10"));
  EXPECT_EQ(g.CurrentPlayer, 1);
  TimerTick(g, GameTimer::kChatLock);  // not the engine's
  EXPECT_EQ(g.CurrentPlayer, 1);
}

TEST(EngineFlow, RunsTheNextPlayerStepAndHandsTheRestToTheProgram) {
  HeadlessPorts ports;
  EngineFlow flow;
  Game g(Ports{ports, ports, ports, flow});
  flow.Attach(g);
  g.PlayerColor = kPlayerColors;
  g.WorldCount = 9;
  g.PlayerName[0] = "Ann";
  g.WorldOwner[8] = 1;
  g.GameYear = 1.0f;
  int turns = 0, syncs = 0, saves = 0;
  std::string scored;
  flow.onComputerTurn = [&] { ++turns; };
  flow.onGalaxySync = [&] { ++syncs; };
  flow.onAutoSave = [&] { ++saves; };
  flow.onHighScore = [&](const std::string& name, float, float, float, float, float) { scored = name; };
  g.io.flow.GameCheck();
  EXPECT_EQ(g.window.txtGame.Text, "- Initiating Turn #0 Ann!, World Color Blue -");
  g.setup.chkAI[0] = 1;
  g.io.flow.GameCheck();
  EXPECT_EQ(turns, 1);
  g.io.flow.GalaxySync();
  g.io.flow.OfferAutoSave();
  g.io.flow.HighScore("Ann", 1, 2, 3, 4, 5);
  EXPECT_EQ(syncs, 1);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(scored, "Ann");
}

}  // namespace
}  // namespace zarnath
