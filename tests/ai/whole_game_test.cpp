#include <future>

#include "ai/ai_fixture.h"
#include "engine/game_start.h"
#include "engine/turn.h"
#include "net/lobby.h"

namespace zarnath::testing {
namespace {

// Plays `count` games side by side; each game is its own object.
std::vector<MatchResult> PlayMany(int count, MatchOptions (*make)(int)) {
  std::vector<std::future<MatchResult>> games;
  for (int i = 0; i < count; ++i)
    games.push_back(std::async(std::launch::async, [=] { return HeadlessMatch(make(i)).Play(); }));
  std::vector<MatchResult> results;
  for (auto& game : games) results.push_back(game.get());
  return results;
}

MatchOptions MixedGame(int i) {
  MatchOptions o{.seed = 1000u + i, .worlds = 9 + (i * 7) % 22, .speedGame = i % 2 == 0};
  for (int p = 0; p < kSeats; ++p) o.levels[p] = 1 + (i + p * (1 + i % 5)) % 6;
  return o;
}

// Four computer players end in a conquest within the cap; the game state's rules hold after every turn.
TEST(WholeGames, HundredSeededGamesEndInAConquest) {
  for (const MatchResult& r : PlayMany(100, MixedGame)) {
    EXPECT_EQ(r.broken, "") << ResultLine(r);
    EXPECT_EQ(r.victory, Victory::kConquest) << ResultLine(r);
    EXPECT_LT(r.turns, 400) << ResultLine(r);
  }
}

TEST(WholeGames, LevelSixBeatsLevelOne) {  // level 6 takes seat 0 in even games, seat 1 in odd ones
  const std::vector<MatchResult> results = PlayMany(24, [](int i) {
    return MatchOptions{
        .seed = 500u + i, .worlds = 10 + (i * 5) % 21, .levels = {i % 2 ? 1 : 6, i % 2 ? 6 : 1, 0, 0}};
  });
  int sixWins = 0;
  for (int i = 0; i < 24; ++i) sixWins += results[i].winner == i % 2;
  EXPECT_GT(sixWins, 12);
}

// The runner's transcript: a line per turn and the result; the same seed gives the same one.
std::vector<std::string> Transcript(const MatchOptions& o) {
  std::vector<std::string> lines;
  const MatchResult r = HeadlessMatch(o).Play([&](const TurnReport& t) { lines.push_back(TurnLine(t)); });
  lines.push_back(ResultLine(r));
  return lines;
}

TEST(WholeGames, SameSeedSameTranscript) {
  MatchOptions o = MixedGame(7);
  const std::vector<std::string> first = Transcript(o);
  EXPECT_EQ(first, Transcript(o));
  o.seed += 1;
  EXPECT_NE(first, Transcript(o));
  o.maxTurns = 5;  // the turn cap
  EXPECT_EQ(Transcript(o).back(), "result: winner=none victory=none turns=5");
  EXPECT_EQ(TurnLine({12, {{{true, 5, 123.9}, {true, 0, 0}, {}, {true, 3, 80}}}}),
            "turn=12 0:5/123 1:0/0 2:- 3:3/80");
  EXPECT_EQ(TurnLine({3, {{{true, 1, 1e19}, {true, 1, -0.5}}}}),
            "turn=3 0:1/10000000000000000000 1:1/-1 2:- 3:-");
  EXPECT_EQ(ResultLine({2, Victory::kConquest, 87, ""}), "result: winner=2 victory=conquest turns=87");
}

// Two computer players as the setup window starts them. The computer turn's 10 ms timer ticks
// once: it stops itself and presses Done for the seat. A broken rule of the game state is named.
TEST(WholeGames, TheTimerPressesDoneAndInvariantsNameWhatBroke) {
  TestGame t;
  t.ports.onGameCheck = [&] { GameCheck(t.game); };
  t.ports.onComputerTurn = [&] { ComputerTurn(t.game); };
  t.game.setup.txtPL = {"Hyperion", "Pandora", "", ""}, t.game.setup.chkAI = {1, 1, 0, 0};
  t.game.setup.txtAI = {"6", "1", "", ""}, t.game.setup.txtPlanets = "12";
  imgStart_Click(t.game);
  t.ports.Clear();
  ASSERT_TRUE(t.ports.FireNextTimer([&](GameTimer) { ComputerDoneTick(t.game); }));
  EXPECT_EQ(t.ports.calls.front(), "Timer tmrAI off 10");
  EXPECT_EQ(t.game.CurrentPlayer, 1);  // the next seat's turn
  EXPECT_TRUE(t.ports.TimerEnabled(GameTimer::kAI));
  ASSERT_EQ(CheckInvariants(t.game), "");
  GameState s = t.game.state();
  s.FleetFrom[0] = 1, s.FleetTo[0] = 13, s.FleetOwner[0] = 1;  // bound for a world out of play
  EXPECT_NE(CheckInvariants(s), "");
  s = t.game.state(), s.WorldShips[3] = -1;
  EXPECT_NE(CheckInvariants(s), "");
}

}  // namespace
}  // namespace zarnath::testing
