#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "ai/computer_turn.h"
#include "ai/headless_match.h"
#include "engine/turn.h"
#include "fixtures/test_game.h"
#include "model/game_start.h"

namespace zarnath {
namespace {

// Plays `count` games on as many threads as the machine has (each game is its own object).
template <typename Make, typename Keep>
void PlayMany(int count, Make make, Keep keep) {
  std::atomic<int> next{0};
  const int threads = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 8);
  std::vector<std::thread> pool;
  for (int t = 0; t < threads; ++t)
    pool.emplace_back([&] {
      for (int i = next++; i < count; i = next++) {
        HeadlessMatch match(make(i));
        keep(i, match.Play());
      }
    });
  for (std::thread& t : pool) t.join();
}

MatchOptions MixedGame(int i) {
  MatchOptions o;
  o.seed = 1000 + static_cast<uint64_t>(i);
  o.worlds = 9 + (i * 7) % 22;
  for (int p = 0; p < kSeats; ++p) o.levels[static_cast<size_t>(p)] = 1 + (i + p * (1 + i % 5)) % 6;
  o.speedGame = i % 2 == 0;
  o.maxTurns = 400;
  return o;
}

// Every game between four computer players ends in a conquest, and no rule of the game state
// breaks on the way (the match checks it after every seat's turn).
TEST(WholeGames, HundredSeededGamesEndInAConquest) {
  constexpr int kGames = 100;
  std::vector<MatchResult> results(kGames);
  PlayMany(kGames, MixedGame, [&](int i, const MatchResult& r) { results[static_cast<size_t>(i)] = r; });
  for (int i = 0; i < kGames; ++i) {
    const MatchResult& r = results[static_cast<size_t>(i)];
    EXPECT_EQ(r.broken, "") << "game " << i;
    EXPECT_EQ(r.victory, Victory::kConquest) << "game " << i << ": " << ResultLine(r);
    EXPECT_GE(r.winner, 0) << "game " << i;
    EXPECT_LT(r.turns, 400) << "game " << i;
  }
}

// The transcript of a game: each turn's line and a digest of the whole star system.
std::vector<std::string> Transcript(const MatchOptions& o) {
  std::vector<std::string> lines;
  HeadlessMatch match(o);
  const MatchResult r = match.Play([&](const TurnReport& report) {
    const Game& g = match.game();
    uint64_t digest = 1469598103934665603ull;
    auto mix = [&](double v) {
      uint64_t bits = 0;
      std::memcpy(&bits, &v, sizeof bits);
      digest = (digest ^ bits) * 1099511628211ull;
    };
    for (int w = 0; w < g.WorldCount; ++w) {
      mix(g.WorldShips[w]);
      mix(g.WorldOwner[w]);
      mix(g.WorldShield[w]);
      mix(g.WorldBombs[w]);
    }
    for (int s = 0; s < kUsedFleetSlots; ++s) {
      mix(g.FleetShips[s]);
      mix(g.FleetTimeLeft[s]);
      mix(g.FleetTo[s]);
    }
    lines.push_back(TurnLine(report) + " #" + std::to_string(digest));
  });
  lines.push_back(ResultLine(r));
  return lines;
}

TEST(WholeGames, SameSeedSameTranscript) {
  const MatchOptions o = MixedGame(7);
  const std::vector<std::string> first = Transcript(o);
  EXPECT_EQ(first, Transcript(o));
  EXPECT_GT(first.size(), 10u);
  MatchOptions other = o;
  other.seed += 1;
  EXPECT_NE(first, Transcript(other));
}

TEST(WholeGames, LevelSixBeatsLevelOne) {
  constexpr int kGames = 24;
  std::vector<MatchResult> results(kGames);
  auto make = [](int i) {
    MatchOptions o;
    o.seed = 500 + static_cast<uint64_t>(i);
    o.worlds = 10 + (i * 5) % 21;
    // Level 6 takes seat 0 in half the games and seat 1 in the other half.
    o.levels = i % 2 == 0 ? std::array<int, kSeats>{6, 1, 0, 0} : std::array<int, kSeats>{1, 6, 0, 0};
    o.maxTurns = 400;
    return o;
  };
  PlayMany(kGames, make, [&](int i, const MatchResult& r) { results[static_cast<size_t>(i)] = r; });
  int sixWins = 0;
  for (int i = 0; i < kGames; ++i) sixWins += results[static_cast<size_t>(i)].winner == (i % 2 == 0 ? 0 : 1);
  EXPECT_GT(sixWins, kGames / 2);
}

// The computer player's turn ends through its timer: one tick stops the timer and presses Done,
// which hands the turn to the next seat; after the last seat the turn is resolved.
TEST(ComputerTimer, PressesDoneOncePerComputerTurn) {
  testing::TestGame t;
  Game& g = t.g();
  t.ports.onGameCheck = [&] { GameCheck(g); };
  t.ports.onComputerTurn = [&] { ComputerTurn(g); };
  g.random.Seed(5);
  g.setup.txtPL = {"Hyperion", "Pandora", "", ""};
  g.setup.chkAI = {1, 1, 0, 0};
  g.setup.txtAI = {"6", "1", "", ""};
  g.setup.txtPlanets = "12";
  imgStart_Click(g);
  EXPECT_EQ(t.ports.Count("ComputerTurn"), 1);
  EXPECT_EQ(g.CurrentPlayer, 0);
  ASSERT_TRUE(t.ports.TimerEnabled(GameTimer::kAI));
  EXPECT_EQ(t.ports.timers[GameTimer::kAI].intervalMs, 10);

  t.ports.Clear();
  ASSERT_TRUE(t.ports.FireNextTimer([&](GameTimer timer) {
    EXPECT_EQ(timer, GameTimer::kAI);
    tmrAI_Timer(g);
  }));
  EXPECT_EQ(t.ports.calls.front(), "Timer tmrAI off 10");
  EXPECT_EQ(g.CurrentPlayer, 1);
  EXPECT_EQ(t.ports.Count("ComputerTurn"), 1);
  EXPECT_EQ(g.GameYear, 1.0f);

  ASSERT_TRUE(t.ports.FireNextTimer([&](GameTimer) { tmrAI_Timer(g); }));
  EXPECT_EQ(g.CurrentPlayer, 0);
  EXPECT_EQ(g.GameYear, 1.05f);
  EXPECT_TRUE(t.ports.TimerEnabled(GameTimer::kAI));
}

// The runner's lines.
TEST(MatchLines, TurnAndResult) {
  TurnReport r;
  r.turn = 12;
  r.seats[0] = {true, 5, 123.9};
  r.seats[1] = {true, 0, 0};
  r.seats[3] = {true, 3, 80};
  EXPECT_EQ(TurnLine(r), "turn=12 0:5/123 1:0/0 2:- 3:3/80");
  EXPECT_EQ(ResultLine({2, Victory::kConquest, 87, ""}), "result: winner=2 victory=conquest turns=87");
  EXPECT_EQ(ResultLine({1, Victory::kElimination, 400, ""}),
            "result: winner=1 victory=elimination turns=400");
  EXPECT_EQ(ResultLine({-1, Victory::kNone, 400, ""}), "result: winner=none victory=none turns=400");
}

TEST(MatchLines, TheTurnCapStopsAGame) {
  MatchOptions o = MixedGame(3);
  o.maxTurns = 5;
  std::vector<int> turns;
  HeadlessMatch match(o);
  const MatchResult r = match.Play([&](const TurnReport& t) { turns.push_back(t.turn); });
  EXPECT_EQ(turns, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(r.turns, 5);
  EXPECT_EQ(r.victory, Victory::kNone);
  EXPECT_EQ(r.winner, -1);
}

// The rules of a sound game state, each broken once.
TEST(Invariants, NameWhatBroke) {
  testing::TestGame t;
  Game& g = t.g();
  g.setup.txtPL = {"Hyperion", "Pandora", "", ""};
  g.setup.chkAI = {1, 1, 0, 0};
  g.setup.txtAI = {"6", "1", "", ""};
  g.setup.txtPlanets = "12";
  imgStart_Click(g);
  ASSERT_EQ(CheckInvariants(g), "");
  const GameState sound = g.state();
  struct Case {
    const char* what;
    void (*breakIt)(GameState&);
  };
  const Case cases[] = {
      {"negative ships", [](GameState& s) { s.WorldShips[3] = -1; }},
      {"negative bombs", [](GameState& s) { s.WorldBombs[8] = -1; }},
      {"owner not seated", [](GameState& s) { s.WorldOwner[3] = 3; }},
      {"owned out of play", [](GameState& s) { s.WorldOwner[20] = 1; }},
      {"from out of play",
       [](GameState& s) {
         s.FleetFrom[0] = 13;
         s.FleetTo[0] = 1;
         s.FleetOwner[0] = 1;
       }},
      {"to out of play",
       [](GameState& s) {
         s.FleetFrom[0] = 1;
         s.FleetTo[0] = 13;
         s.FleetOwner[0] = 1;
       }},
      {"free slot not empty", [](GameState& s) { s.FleetShips[4] = 3; }},
      {"negative fleet",
       [](GameState& s) {
         s.FleetFrom[0] = 1;
         s.FleetTo[0] = 2;
         s.FleetOwner[0] = 2;
         s.FleetShips[0] = -2;
       }},
      {"proximity bomb off the map",
       [](GameState& s) {
         s.ProxBombOwner[19] = 1;
         s.ProxBombWorld[19] = 12;
       }},
  };
  for (const Case& c : cases) {
    GameState broken = sound;
    c.breakIt(broken);
    EXPECT_NE(CheckInvariants(broken), "") << c.what;
  }
}

}  // namespace
}  // namespace zarnath
