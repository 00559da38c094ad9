// What a turn's rules tell, in order: a battle's set-up, every shot and hit and its end; the end of
// a turn step by step. The show and the broadcast act on exactly these events.
#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "fixtures/event_log.h"

namespace zarnath {
namespace {

using namespace turn_event;
using testing::EventLog;
using testing::Signature;

// Ann's fleet of `fleet` ships at world 3 with `garrison` ships, both sides of class 3 without
// shields, so that every hit costs one ship.
struct Skirmish : EngineGame {
  Skirmish(float fleet, float garrison) : EngineGame("AB..") {
    std::tie(game.WorldShips[3], game.WorldShield[3], game.WorldClass[3], game.WorldOwner[3],
             game.WorldBombs[3], game.WorldType[3]) = std::make_tuple(garrison, 0, 3, 0, 0, kTypeNothing);
    Arrived(0, 8, 3, 1, fleet);
    std::tie(game.FleetShield[0], game.FleetClass[0]) = std::make_tuple(0, 3);
  }
};

TEST(TurnEvents, ABattleTellsItsSetUpEachShotEachHitAndItsEnd) {
  for (uint64_t seed : {1u, 2u, 3u, 4u, 5u}) {
    for (bool speedGame : {false, true}) {
      SCOPED_TRACE(std::to_string(seed) + (speedGame ? " speed" : ""));
      Skirmish f(30, 20);
      Game& g = f.game;
      g.SpeedGame = speedGame;
      g.random.Seed(seed);
      EventLog log(g);
      Battle(g, 0);
      const auto& e = log.heard;
      ASSERT_GE(e.size(), 8u);
      EXPECT_TRUE(std::holds_alternative<BattleSetUp>(e[0]) && std::holds_alternative<BattleOpened>(e[1]));
      // Shot after shot: due, hit or not, the figures.
      size_t i = 2;
      int hits[3] = {}, shots = 0, lastPass = 0;
      while (std::holds_alternative<ShotDue>(e[i])) {
        ++shots, ++i;
        if (const auto* hit = std::get_if<ShotHit>(&e[i])) ++hits[hit->side], ++i;
        const auto* figures = std::get_if<FiguresShown>(&e[i]);
        ASSERT_TRUE(figures && figures->liveShot) << Signature(e[i]);
        EXPECT_GE(figures->pass, lastPass);
        lastPass = figures->pass;
        ++i;
      }
      EXPECT_GT(shots, 0);
      // Each hit told cost the other side a ship, and no ship was lost untold.
      EXPECT_EQ(hits[1], 20 - g.BattleData[2][battle_data::kShipsLeft]);
      EXPECT_EQ(hits[2], 30 - g.BattleData[1][battle_data::kShipsLeft]);
      // The last figures, the decision for the side that won, its outcome, the slot cleared.
      const auto* last = std::get_if<FiguresShown>(&e[i]);
      ASSERT_TRUE(last && !last->liveShot);
      const auto* decided = std::get_if<BattleDecided>(&e[i + 1]);
      ASSERT_TRUE(decided);
      EXPECT_EQ(decided->side, g.BattleSide);
      const bool taken = g.BattleSide == battle_data::kAttacker;
      EXPECT_EQ(g.WorldOwner[3], taken ? 1 : 0);
      EXPECT_TRUE(taken ? std::holds_alternative<WorldFell>(e[i + 2])
                        : std::holds_alternative<WorldHeld>(e[i + 2]));
      const std::vector<std::string> tail =
          log.Signatures<BattleSettled, BattleEnding, BattleEnded, StepEnded>();
      EXPECT_EQ(tail, (std::vector<std::string>{"BattleSettled slot 0", "BattleEnding slot 0",
                                                "BattleEnded slot 0", "StepEnded"}));
      EXPECT_TRUE(std::holds_alternative<StepEnded>(e.back()));
      EXPECT_EQ(g.FleetFrom[0], 0);
    }
  }
}

// An annihilation bomb is decided at once: no shot, the world taken and emptied.
TEST(TurnEvents, AnAnnihilationBombIsDecidedWithoutAShot) {
  Skirmish f(kAnnihilationBomb, 20);
  EventLog log(f.game);
  EndTravel(f.game, 0);
  EXPECT_EQ(log.Signatures(),
            (std::vector<std::string>{"BattleDecided slot 0 side 1", "WorldFell slot 0",
                                      "AnnihilationBombLanded slot 0", "BattleSettled slot 0",
                                      "BattleEnding slot 0", "BattleEnded slot 0", "StepEnded"}));
  EXPECT_EQ(std::make_tuple(f.game.WorldOwner[3], f.game.WorldShips[3]), std::make_tuple(uint8_t{1}, 0.0f));
}

// The end of a turn at one computer: the pulse bomb, the orbits, production, the arrivals each
// readied, resolved and held a second, then the next turn.
TEST(TurnEvents, TheEndOfATurnTellsEachStepInOrder) {
  EngineGame f("AB..", 12);
  Game& g = f.game;
  g.SpeedGame = true;
  g.WorldOwner[2] = 1;
  g.WorldType[8] = kTypeArmedPulse;          // Ann's pulse bomb, with Bob's fleet in reach
  f.Put(0, 8, 2, 1, 6, 0.2f, 104 - 5);       // Ann's ships arrive at her own world
  f.Put(1, 8, 5, 2, 4, 0.5f, 2);             // Bob's, just out of Ann's home world
  f.Put(2, 9, 3, 2, kScout, 0.2f, 104 - 5);  // Bob's scout arrives at a neutral world
  EventLog log(g);
  EndTurn(g);
  const std::vector<std::string> steps =
      log.Signatures<ResolutionBegan, PulseBombDue, PulseBombWentOff, ObjectPulsed, PulseBombSpent,
                     YearEnding, OrbitsTurning, OrbitsTurned, WorldsProduced, ArrivalDue, ArrivalResolving,
                     ReinforcementsArrived, ScoutReported, ArrivalFinished, StepHeld, ResolutionEnded,
                     TurnBegun, MoveLogShown>();
  EXPECT_EQ(steps, (std::vector<std::string>{"ResolutionBegan",
                                             "PulseBombDue world 8",
                                             "PulseBombWentOff world 8",
                                             "ObjectPulsed slot 2 world 8",  // the table was sorted first
                                             "PulseBombSpent world 8",
                                             "YearEnding",
                                             "OrbitsTurning",
                                             "OrbitsTurned",
                                             "WorldsProduced",
                                             "ArrivalDue slot 0",
                                             "ArrivalResolving slot 0",
                                             "ReinforcementsArrived slot 0",
                                             "ArrivalFinished slot 0",
                                             "StepHeld",
                                             "ArrivalDue slot 1",
                                             "ArrivalResolving slot 1",
                                             "ScoutReported slot 1",
                                             "ArrivalFinished slot 1",
                                             "StepHeld",
                                             "ResolutionEnded",
                                             "TurnBegun seat 0",
                                             "MoveLogShown"}));
  EXPECT_EQ(log.All<OrbitTicked>().size(), 26u);
  // Shown here: Ann is the human at this computer; Bob's scout is shown to Bob, a human too.
  EXPECT_TRUE(log.All<ReinforcementsArrived>().at(0).shown);
  EXPECT_EQ(log.All<ObjectPulsed>().at(0).notice,
            "- 4 Ships From Bob Were Destroyed By A Pulse Bomb On World " + g.WorldName[8] + " -");
}

// The listeners (the network's broadcast) hear an event before the show acts on it, so a host
// sends each step before it shows it; an event shown first is heard after the show.
TEST(TurnEvents, ListenersHearAnEventBeforeTheShowUnlessItIsShownFirst) {
  EngineGame f("A...", 12);
  struct CallsWhenHeard : TurnListener {
    explicit CallsWhenHeard(EngineGame& game) : f(game) { f.game.listeners.push_back(this); }
    void Heard(Game&, const TurnEvent&) override { heard.push_back(f.ports.calls.size()); }
    EngineGame& f;
    std::vector<size_t> heard;
  } listener(f);
  Tell(f.game, StepEnded{});       // shown as a yield
  Tell(f.game, WorldsProduced{});  // shown first: the side lists rebuilt
  EXPECT_EQ(listener.heard, (std::vector<size_t>{0, 2}));
  EXPECT_EQ(f.ports.calls, (std::vector<std::string>{"Yield", "Console"}));
  std::erase(f.game.listeners, &listener);
}

}  // namespace
}  // namespace zarnath
