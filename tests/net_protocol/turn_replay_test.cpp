// A client replays its host's turn from the frames alone: decoded, they run the same steps of the
// same rules, which tell the same events (and so show the same) as the host's own resolution.
#include <gtest/gtest.h>

#include "fixtures/event_log.h"
#include "net_protocol/protocol_fixture.h"

namespace zarnath::testing {
namespace {

using namespace turn_event;

// The frames the host sent to socket `element` since its transcript was cleared.
std::vector<std::string> SentTo(const HeadlessPorts& ports, int element) {
  std::vector<std::string> out;
  const std::string prefix = "Send " + std::to_string(element) + " ";
  for (const std::string& c : ports.calls)
    if (c.rfind(prefix, 0) == 0) out.push_back(c.substr(prefix.size()));
  return out;
}

void Put(Game& g, int slot, int from, int to, int owner, float ships, float trip, int ticksMoved) {
  const size_t s = static_cast<size_t>(slot);
  g.FleetFrom[s] = static_cast<uint8_t>(from + 1), g.FleetTo[s] = static_cast<uint8_t>(to + 1);
  g.FleetOwner[s] = static_cast<uint8_t>(owner), g.FleetShips[s] = ships;
  g.FleetClass[s] = g.WorldClass[static_cast<size_t>(from)], g.FleetShield[s] = 0;
  g.FleetTripTime[s] = trip, g.FleetAngleParam[s] = 0;
  g.FleetTimeLeft[s] = static_cast<float>(static_cast<double>(trip) - ticksMoved / 520.0);
}

TEST(TurnReplay, AClientDecodingTheHostsFramesTellsTheSameStepsAsTheHostsRules) {
  HostGame h;
  Game& g = h.g();
  constexpr int kAnn = 8, kBob = 9;
  const int neutral = 3, taken = 4;
  g.WorldOwner[neutral] = g.WorldOwner[taken] = 0;
  g.WorldShips[neutral] = 5, g.WorldShips[taken] = 400;
  g.WorldType[kAnn] = kTypeArmedPulse;             // Ann's pulse bomb goes off...
  Put(g, 0, kAnn, 5, 2, 4, 0.5f, 2);               // ...on Bob's ships just out of her home world
  Put(g, 1, kBob, neutral, 2, 60, 0.2f, 104 - 5);  // Bob attacks a neutral world
  Put(g, 2, kAnn, taken, 1, 30, 0.2f, 104 - 5);    // Ann attacks a strong one
  Put(g, 3, kBob, kBob, 2, 7, 0.2f, 104 - 5);      // Bob's reinforcements come home
  Put(g, 4, kBob, 6, 2, kScout, 0.2f, 104 - 5);    // Bob's scout reports to Bob
  Put(g, 5, kBob, neutral, 2, kProximityBombBase + 3, 0.2f, 104 - 5);  // a bomb of Bob's...
  g.WorldOwner[neutral] = 0;

  ClientGame bob;
  bob.TakeState(g, 1);
  EventLog hostLog(g), clientLog(bob.g());
  h.t.ports.Clear();
  EndSeatTurn(bob.g());  // Bob has finished his turn: the host may end it
  bob.Receive(Frame(Tag::kEndTurn));
  EndTurn(g);
  for (const std::string& frame : SentTo(h.t.ports, 1)) bob.Receive(frame);
  EXPECT_EQ(bob.session->dropped, 0) << bob.session->lastDropped;

  // The steps both machines run, with the slots, worlds, sides and passes they name.
  auto steps = [](const EventLog& log) {
    return log.Signatures<PulseBombWentOff, ObjectPulsed, PulseBombSpent, YearEnding, OrbitsTurning,
                          OrbitTicked, OrbitsTurned, ProximityBombFired, ProximityBombSpent, ObjectDestroyed,
                          ArrivalResolving, ReinforcementsArrived, ReinforcementsJoined, ScoutReported,
                          ProximityBombPlanted, ArrivalFinished, BattleSetUp, ShotHit, FiguresShown,
                          BattleDecided, WorldFell, WorldHeld, AnnihilationBombLanded, BattleSettled,
                          TreasureFound, TreasuresCounted, BattleEnding, BattleEnded, ResolutionEnded>();
  };
  const std::vector<std::string> host = steps(hostLog), client = steps(clientLog);
  EXPECT_EQ(client, host);
  for (size_t i = 0; i < std::max(host.size(), client.size()); ++i)
    if (i >= host.size() || i >= client.size() || host[i] != client[i]) {
      ADD_FAILURE() << "first difference at " << i << ": host " << (i < host.size() ? host[i] : "-")
                    << ", client " << (i < client.size() ? client[i] : "-");
      break;
    }
  // The turn held what it was meant to: a pulse, two battles, a landing, a report and a bomb.
  for (const char* step :
       {"ObjectPulsed", "BattleSetUp", "ShotHit", "WorldFell", "WorldHeld", "ReinforcementsArrived",
        "ScoutReported", "ProximityBombPlanted", "ResolutionEnded"})
    EXPECT_TRUE(std::ranges::any_of(host, [&](const std::string& s) { return s.starts_with(step); })) << step;
  // Bob's machine shows Bob's own arrivals; the host's shows them to nobody.
  EXPECT_TRUE(clientLog.All<ScoutReported>().at(0).shown);
  EXPECT_FALSE(hostLog.All<ScoutReported>().at(0).shown);
  // Both end in the same state (each machine keeps the logs and histories of its own seat).
  auto state = [](const Game& game) {
    std::vector<std::string> frames;
    ForEachStateFrame(game, 1, [&](std::string f, bool) {
      if (!f.starts_with("[PY]") && !f.starts_with("[GH]")) frames.push_back(f);
    });
    return frames;
  };
  EXPECT_EQ(state(bob.g()), state(g));
}

// A step a turn cannot hold where it stands is refused and changes nothing; the same step where a
// turn holds it is taken.
TEST(TurnReplay, StepsThatNoTurnCanHoldWhereTheyStandAreRefused) {
  HostGame h;
  Game& g = h.g();
  constexpr int kAnn = 8, kBob = 9;
  constexpr int kCy = 10;
  Put(g, 3, kBob, kBob, 2, 7, 0.2f, 104 - 5);  // Bob's reinforcements, home this turn
  Put(g, 6, kBob, 4, 2, 20, 0.2f, 104 - 5);    // Bob's fleet meets an empty world of Ann's
  Put(g, 7, kBob, 5, 2, 0, 0.2f, 104 - 5);     // a fleet of no ships meets a world of one
  Put(g, 8, kBob, 5, 2, 1, 0.2f, 104 - 5);     // one ship against one
  g.WorldOwner[4] = g.WorldOwner[5] = 1;
  g.WorldShips[4] = 0, g.WorldShips[5] = 1;
  g.WorldBombs[kAnn] = 0;  // Ann holds no bomb to set off
  g.WorldBombs[kBob] = g.WorldBombs[kCy] = 1;
  const std::string endTurn = Frame(Tag::kEndTurn), rotate = Frame(Tag::kGalaxyRotate),
                    show = Frame(Tag::kTravelShow), hide = Frame(Tag::kTravelHide),
                    home = Frame(Tag::kReinforcements, 3), scout = Frame(Tag::kScout, 3),
                    setUp = Frame(Tag::kBattleSetup, 3), moving = endTurn + rotate + show,
                    refill = Frame(Tag::kSend, 3, FleetRecord(g, 3)),
                    newcomer = Frame(Tag::kSend, 9, FleetRecord(g, 3));
  struct Case {
    std::string before, step;
    bool taken;
  };
  const Case cases[] = {
      {"", home, false},                                      // no turn
      {endTurn + rotate + show, home, true},                  // where a turn holds it
      {endTurn + rotate, home, false},                        // not shown
      {endTurn + show, home, false},                          // before the year turned
      {endTurn + rotate + show + hide, home, false},          // after the turn's end
      {endTurn + rotate + show + home, home, false},          // played twice on one show
      {endTurn, endTurn, false},                              // a turn inside a turn
      {endTurn + rotate + show + hide, endTurn, false},       // the next turn, before Bob's Done in it
      {endTurn + rotate, rotate, false},                      // the year turned twice
      {endTurn + show, Frame(Tag::kPulseBomb, kBob), true},   // Bob has a bomb
      {endTurn + show, Frame(Tag::kPulseBomb, kAnn), false},  // Ann has none
      {endTurn + rotate + show, Frame(Tag::kPulseBomb, kBob), false},     // after the year turned
      {endTurn + rotate + show, Frame(Tag::kProximity, 3, "00"), false},  // an empty bomb slot
      {endTurn + rotate + show, Frame(Tag::kFromHit, 3), false},          // no battle set up
      {endTurn + rotate + show, Frame(Tag::kBattleSetup, 3), true},
      {endTurn + rotate + show + Frame(Tag::kBattleSetup, 3), Frame(Tag::kFromHit, 4), false},
      {endTurn + show + Frame(Tag::kPulseBomb, kBob), Frame(Tag::kPulseBomb, kCy), false},  // one show
      {endTurn + show + Frame(Tag::kPulseBomb, kBob) + show, Frame(Tag::kPulseBomb, kCy), true},
      {moving + setUp, home, false},  // an arrival inside a battle
      {moving + setUp, scout, false},
      {moving + setUp + show, home, true},  // a new show ends a battle left without its end
      // An object lands once a turn, and none comes into an empty slot once the objects move.
      {moving + home + show, home, false},
      {moving + home, refill, false},
      {moving, newcomer, false},
      {endTurn, newcomer, true},  // before the year turns the host tells its whole table
      {moving, Frame(Tag::kSend, 3, FleetRecord(g, 3)), true},  // an object as it now stands
      // A side that meets a battle without ships fires no shot; the other side fires one, and
      // once a side has lost its last ship nobody fires again.
      {moving + Frame(Tag::kBattleSetup, 6), Frame(Tag::kToHit, 6), false},
      {moving + Frame(Tag::kBattleSetup, 6), Frame(Tag::kFromHit, 6), true},
      {moving + Frame(Tag::kBattleSetup, 6) + Frame(Tag::kFromHit, 6), Frame(Tag::kFromHit, 6), false},
      {moving + Frame(Tag::kBattleSetup, 7), Frame(Tag::kFromHit, 7), false},
      {moving + Frame(Tag::kBattleSetup, 7), Frame(Tag::kToHit, 7), true},
      {moving + Frame(Tag::kBattleSetup, 8) + Frame(Tag::kFromHit, 8), Frame(Tag::kToHit, 8), false},
      {moving + Frame(Tag::kBattleSetup, 8) + Frame(Tag::kFromHit, 8), Frame(Tag::kFromHit, 8), false},
  };
  for (const Case& c : cases) {
    ClientGame bob;
    bob.TakeState(g, 1);
    EndSeatTurn(bob.g());
    bob.Receive(c.before);
    ASSERT_EQ(bob.session->dropped, 0) << c.before << " | " << bob.session->lastDropped;
    const size_t before = Fingerprint(bob.g());
    bob.Receive(c.step);
    EXPECT_EQ(bob.session->dropped, c.taken ? 0 : 1) << c.before << " | " << c.step;
    if (!c.taken) {
      EXPECT_EQ(Fingerprint(bob.g()), before) << c.before << " | " << c.step;
    }
  }
}

}  // namespace
}  // namespace zarnath::testing

namespace zarnath::testing {
namespace {

// A client whose seat is in play takes its host's end of the turn only once it has finished that
// turn itself: its Done went out, its timer pressed it, or it has nothing left to order from. An
// eliminated seat follows its host's turns.
TEST(TurnReplay, AClientTakesATurnsEndOnlyOnceItHasFinishedTheTurn) {
  HostGame h;
  Game& g = h.g();
  ClientGame bob;
  bob.t.ports.onGameCheck = [&] { GameCheck(bob.g()); };
  bob.TakeState(g, 1);
  const std::string turn = Frame(Tag::kEndTurn) + Frame(Tag::kGalaxyRotate) + Frame(Tag::kTravelHide);
  bob.Receive(turn);
  EXPECT_EQ(bob.session->dropped, 3);
  EXPECT_EQ(bob.g().GameYear, 1.0f);
  bob.g().TurnMinutesLeft = 1;
  TurnTimerTick(bob.g());  // the turn's time runs out: Done
  bob.Receive(turn);
  EXPECT_FLOAT_EQ(bob.g().GameYear, 1.05f);
  bob.Receive(turn);  // a second turn without a second Done
  EXPECT_FLOAT_EQ(bob.g().GameYear, 1.05f);
  // Bob loses his last world and everything in flight: he is out and follows every turn.
  for (int w = 0; w < bob.g().WorldCount; ++w)
    if (bob.g().WorldOwner[static_cast<size_t>(w)] == 2) bob.g().WorldOwner[static_cast<size_t>(w)] = 0;
  GameCheck(bob.g());
  EXPECT_EQ(bob.g().SeatStatus[1], TurnStatus::kEliminated);
  const int dropped = bob.session->dropped;
  bob.Receive(turn + turn);
  EXPECT_FLOAT_EQ(bob.g().GameYear, 1.15f);
  EXPECT_EQ(bob.session->dropped, dropped);
}

}  // namespace
}  // namespace zarnath::testing
