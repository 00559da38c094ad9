// The most common end of a network game: the last world falls while a loser's fleet is still on
// its way. The host loads a saved game that sets this up; the conqueror (the host or a client)
// must then go on taking turns like any seat in play until the last foreign fleet has landed, and
// every machine must announce the conquest at the same turn.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/save_load.h"
#include "headless/last_worlds.h"
#include "model/game_texts.h"
#include "model/state_check.h"
#include "net/lobby.h"
#include "net/loopback.h"
#include "persist/persist_fixture.h"

namespace zarnath {
namespace {

using testing::Statuses;
using testing::WaitFor;

// Recording ports that tell when the window shows a finished game's result.
struct EndPorts : HeadlessPorts {
  std::function<void(const std::string&)> onHighScore;
  void HighScore(const std::string& name, float rating, float ships, float production, float worlds,
                 float classSum) override {
    HeadlessPorts::HighScore(name, rating, ships, production, worlds, classSum);
    if (onHighScore) onHighScore(name);
  }
};
using Program = testing::BasicNetGame<EndPorts>;

constexpr const char* kNames[] = {"Ann", "Bob", "Cy"};

// A LAN game of `seats` programs: Ann hosts, Bob and Cy join.
struct LanGame {
  std::vector<std::unique_ptr<Program>> programs;
  // The year at which each program showed the conquest, and by whom.
  std::map<int, std::pair<std::string, float>> conquests;

  explicit LanGame(int seats) {
    for (int seat = 0; seat < seats; ++seat) {
      programs.push_back(std::make_unique<Program>(seat == 0));
      Program& p = *programs.back();
      p.game.setup.txtPL[0] = kNames[seat];
      p.ports.onHighScore = [this, seat, &p](const std::string& name) {
        conquests[seat] = {name, p.game.GameYear};
      };
    }
  }
  Game& game(int seat) { return programs[static_cast<size_t>(seat)]->game; }

  bool Start() {
    Game& h = game(0);
    const uint16_t port = programs[0]->Listen();
    for (size_t seat = 1; seat < programs.size(); ++seat) {
      programs[seat]->Join(port);
      if (!WaitFor([&] { return h.setup.txtPL[seat] == kNames[seat]; })) return false;
    }
    h.random.Seed(5);
    h.setup.txtPlanets = "12";
    imgStart_Click(h);
    return OpenEverywhere(1.0f);
  }
  // Every program shows the game of `year` and takes orders.
  bool OpenEverywhere(float year) {
    return WaitFor([&] {
      for (auto& p : programs)
        if (!p->game.window.Visible || p->game.InputBusy || p->game.TurnResolving || p->game.GameYear != year)
          return false;
      return true;
    });
  }
};

// Plays the loaded game on: each turn every seat in play presses Done on its own program (the
// clients first, the host last), until every program has shown the conquest. False when a turn
// neither ends nor brings the conquest.
::testing::AssertionResult PlayToTheEnd(LanGame& lan) {
  const size_t seats = lan.programs.size();
  for (int turn = 0; turn < 12; ++turn) {
    if (lan.conquests.size() == seats) return ::testing::AssertionSuccess();
    const float year = lan.game(0).GameYear;
    for (size_t k = seats; k-- > 0;) {
      Game& g = lan.game(static_cast<int>((k + 1) % seats));
      if (g.SeatStatus[static_cast<size_t>(g.CurrentPlayer)] == TurnStatus::kTakingTurn) EndSeatTurn(g);
    }
    const bool moved = WaitFor(
        [&] {
          if (lan.conquests.size() == seats) return true;
          for (auto& p : lan.programs)
            if (!(p->game.GameYear > year + 0.01f) || p->game.InputBusy || p->game.TurnResolving)
              return false;
          return true;
        },
        10000);
    if (!moved) {
      std::string where;
      for (auto& p : lan.programs) where += " " + p->game.setup.txtPL[0] + " " + Statuses(p->game);
      return ::testing::AssertionFailure() << "the game stalled after its turn " << turn << ":" << where;
    }
  }
  return lan.conquests.size() == seats ? ::testing::AssertionSuccess()
                                       : ::testing::AssertionFailure() << "no conquest in twelve turns";
}

void LastWorldFallsWhileAFleetFlies(int seats, int conqueror) {
  SCOPED_TRACE(std::to_string(seats) + " seats, " + kNames[conqueror] + " conquers");
  testing::ScratchFolder folder;
  LanGame lan(seats);
  ASSERT_TRUE(lan.Start());
  Game& h = lan.game(0);
  SetUpLastWorlds(h, conqueror, seats, 5);
  ASSERT_FALSE(CheckGameState(h)) << CheckGameState(h)->Text();
  const std::string path = folder.File("last.zq");
  ASSERT_TRUE(SaveGame(h, path));
  ASSERT_EQ(LoadSavedGame(h, path), LoadOutcome::kLoaded);
  ASSERT_TRUE(lan.OpenEverywhere(1.0f));

  ASSERT_TRUE(PlayToTheEnd(lan));
  // The last worlds fell in the first turn; the losers' ships landed five turns later, and then
  // every program announced the conqueror at the same turn.
  for (const auto& [seat, conquest] : lan.conquests) {
    EXPECT_EQ(conquest.first, kNames[conqueror]) << kNames[seat];
    EXPECT_NEAR(conquest.second, 1.25f, 1e-4) << kNames[seat];
  }
  for (auto& p : lan.programs) EXPECT_EQ(p->session->dropped, 0) << p->session->lastDropped;
}

TEST(GameEnd, TheHostTakesTheLastWorldOfOneClientWhileItsFleetFlies) {
  LastWorldFallsWhileAFleetFlies(2, 0);
}
TEST(GameEnd, AClientTakesTheHostsLastWorldWhileItsFleetFlies) {
  LastWorldFallsWhileAFleetFlies(2, 1);
}
TEST(GameEnd, TheHostTakesTheLastWorldsOfTwoClientsWhileTheirFleetsFly) {
  LastWorldFallsWhileAFleetFlies(3, 0);
}
TEST(GameEnd, AClientTakesTheLastWorldsOfTheHostAndTheOtherClientWhileTheirFleetsFly) {
  LastWorldFallsWhileAFleetFlies(3, 1);
}

}  // namespace
}  // namespace zarnath
