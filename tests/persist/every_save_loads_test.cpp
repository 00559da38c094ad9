// Every game the program can reach saves and loads again: seeded games at one computer and over a
// network, in which players give every kind of order the window offers (fleets, scouts, gathering,
// annihilation bombs, proximity bombs on a foreign and on the own world, pulse bombs, recalls,
// shields), are saved after each player's orders and at each turn's start, read back, and must come
// back field for field and pass the loader's check. The network games carry the clients' orders to
// the host as frames, as the program does, so the host also holds what a client's record rounds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "ai/pulse_command.h"
#include "commands/command_view.h"
#include "commands/gathering.h"
#include "commands/proximity_dialog.h"
#include "commands/send_commands.h"
#include "commands/side_list_commands.h"
#include "engine/event_audience.h"
#include "engine/launch.h"
#include "engine/save_load.h"
#include "engine/turn.h"
#include "fixtures/test_game.h"
#include "model/click_rules.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "model/game_texts.h"
#include "model/numbers.h"
#include "model/state_check.h"
#include "net/lobby.h"
#include "net_protocol/network_machines.h"
#include "net_protocol/protocol_fixture.h"
#include "persist/saved_game.h"
#include "persist_fixture.h"

namespace zarnath {
namespace {

using namespace testing;

// How many orders of each kind went through; every kind must have been given somewhere.
struct OrderCounts {
  int fleets = 0, scouts = 0, annihilationBombs = 0, foreignProximity = 0, homeProximity = 0, pulses = 0,
      gathered = 0, recalls = 0, shields = 0;
};

// A player who gives the seat to move random orders of every kind through the window's commands.
class RandomPlayer {
 public:
  explicit RandomPlayer(unsigned seed) : rng_(seed) {}

  void GiveOrders(Game& g, OrderCounts& n) {
    const int seat = g.CurrentPlayer;
    for (int k = 1 + Pick(5); k > 0; --k) {
      std::vector<int> own;
      for (int w = 0; w < g.WorldCount; ++w)
        if (g.WorldOwner[static_cast<size_t>(w)] == seat + 1) own.push_back(w);
      if (own.empty()) return;
      const int from = own[static_cast<size_t>(Pick(static_cast<int>(own.size())))];
      int to = Pick(g.WorldCount - 1);
      if (to >= from) ++to;  // another world
      switch (Pick(10)) {
        case 0:
        case 1:
          n.fleets += Order(g, from, to, kShares[Pick(5)]);
          break;
        case 2:
          n.scouts += Order(g, from, to, 1);
          break;
        case 3:
          n.annihilationBombs += Order(g, from, to, kAnnihilationBomb);
          break;
        case 4:
          n.foreignProximity += SetProximityBomb(g, from, to);
          break;
        case 5:
          n.homeProximity += SetProximityBomb(g, from, from);
          break;
        case 6: {
          const int home = kHomeWorld0 + seat;
          if (!CanArmPulseBomb(g, seat, home)) break;
          g.SelectedFrom = static_cast<int16_t>(home);
          mnuComSendPulse_Click(g);
          n.pulses += PulseArmedOn(g, home);
          break;
        }
        case 7: {
          const int sent =
              Pick(2) == 0 ? GatherNearestShips(g, view_, from) : ScoutNearestWorlds(g, view_, from);
          n.gathered +=
              sent + (Pick(2) == 0 ? SendNearestBomb(g, view_, to) : SendNearestScout(g, view_, to));
          break;
        }
        case 8: {
          // This turn's newest launch of the seat, called back from the in-transit list.
          const int slot = NewestOwnSlot(g);
          if (slot >= 0) n.recalls += lstTravel_Click(g, view_, slot) == TravelClick::kRecalled;
          break;
        }
        case 9:
          n.shields += lstOwned_DblClick(g, view_, Pick(static_cast<int>(own.size()))) >= 0;
          break;
      }
    }
  }

 private:
  static constexpr float kShares[5] = {10, 25, 50, 75, 100};

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  static int Order(Game& g, int from, int to, float code) {
    g.SelectedFrom = static_cast<int16_t>(from);
    g.SelectedTo = static_cast<int16_t>(to);
    return Sendships(g, code) == LaunchResult::kLaunched;
  }
  int SetProximityBomb(Game& g, int from, int to) {
    dialog_.OpenFor(g, from, to);
    dialog_.text = std::to_string(1 + Pick(300));
    return dialog_.ImgSet_Click(g).result == LaunchResult::kLaunched;
  }

  std::mt19937 rng_;
  CommandView view_;  // the window's own drawings: none here
  ProximityDialog dialog_;
};

// Saves the state, reads the file back into a fresh game and compares: the loader takes it, and
// every field the file holds comes back bit for bit.
void SavesAndLoadsAlike(const GameState& g, const std::string& where) {
  const GameState fresh;
  const SavedGameRead read = ReadSavedGame(fresh, SavedGameText(g));
  ASSERT_TRUE(read.state) << where << ": " << read.refusal.Message();
  // The option boxes show a number as the setup or the host wrote it (" 8", "08"); the file keeps
  // the number.
  GameState saved = g;
  for (std::string& option : saved.setup.txtOp) option = std::to_string(static_cast<int>(Val(option)));
  EXPECT_EQ(SavedFieldDifferences(saved, *read.state), Lines()) << where;
  const auto fault = CheckGameState(*read.state);
  EXPECT_FALSE(fault) << where << ": " << fault->Text();
}

std::string Where(const char* kind, unsigned seed, const GameState& g, const char* when) {
  return std::string(kind) + " seed " + std::to_string(seed) + ", turn " + std::to_string(TurnOf(g)) +
         ", seat " + std::to_string(g.CurrentPlayer) + " " + when;
}

// Games of each kind a run plays: a few in the suite; ZARNATH_SAVE_LOAD_GAMES=100 plays that many
// for a longer search.
unsigned GamesToPlay(unsigned usual) {
  const char* asked = std::getenv("ZARNATH_SAVE_LOAD_GAMES");
  return asked ? static_cast<unsigned>(std::strtoul(asked, nullptr, 10)) : usual;
}

void ExpectEveryKind(const OrderCounts& n) {
  EXPECT_GT(n.fleets, 0);
  EXPECT_GT(n.scouts, 0);
  EXPECT_GT(n.annihilationBombs, 0);
  EXPECT_GT(n.foreignProximity, 0);
  EXPECT_GT(n.homeProximity, 0);
  EXPECT_GT(n.pulses, 0);
  EXPECT_GT(n.gathered, 0);
  EXPECT_GT(n.recalls, 0);
  EXPECT_GT(n.shields, 0);
}

// Four humans take their turns at one computer.
TEST(EverySaveLoads, HotSeatGamesWithEveryKindOfOrder) {
  ScratchFolder folder;
  OrderCounts n;
  for (unsigned seed = 1; seed <= GamesToPlay(6); ++seed) {
    TestGame t;
    Game& g = t.game;
    t.ports.recording = false;
    t.ports.onGameCheck = [&g] { GameCheck(g); };
    g.random.Seed(seed);
    g.setup.txtPL = {"Ann", "Bob", "Cy", "Dee"};
    g.setup.chkShield = static_cast<int>(seed % 2);
    g.setup.txtPlanets = std::to_string(9 + seed * 7 % 22);
    g.setup.txtOp[1] = "3";  // treasures any world count takes
    g.programFolder = folder.path();  // the start writes the setup's defaults there
    imgStart_Click(g);
    RandomPlayer player(seed);
    for (int step = 0; step < 4 * 30 && g.GameInProgress && !g.GameOver; ++step) {
      const int turn = TurnOf(g);
      player.GiveOrders(g, n);
      SavesAndLoadsAlike(g, Where("hot seat", seed, g, "after the orders"));
      EndSeatTurn(g);
      if (TurnOf(g) != turn) SavesAndLoadsAlike(g, Where("hot seat", seed, g, "at the turn's start"));
      if (HasFailure()) return;
    }
  }
  ExpectEveryKind(n);
}

// Ann hosts, Bob and Cy play at their own computers; their orders reach the host as frames.
TEST(EverySaveLoads, NetworkGamesWithEveryKindOfOrder) {
  ScratchFolder folder;
  OrderCounts n;
  for (unsigned seed = 1; seed <= GamesToPlay(4); ++seed) {
    ThreeMachines m;
    Game& h = m.host.game;
    h.random.Seed(seed);
    h.NetworkGame = h.setup.OptServerClient0 = true;
    h.setup.chkLan = 1;
    h.setup.chkShield = static_cast<int>(seed % 2);
    h.setup.txtPL = {"Ann", "Bob", "Cy", ""};
    h.setup.txtPlanets = std::to_string(9 + seed * 5 % 22);
    h.setup.txtOp[1] = "3";
    h.programFolder = folder.path();
    imgStart_Click(h);
    ASSERT_TRUE(m.Deliver());
    RandomPlayer players[3] = {RandomPlayer(seed), RandomPlayer(seed + 100), RandomPlayer(seed + 200)};
    for (int turn = 0; turn < 20 && h.GameInProgress && !h.GameOver; ++turn) {
      for (int seat = 0; seat < 3; ++seat) {
        Game& g = *m.seats[seat];
        if (h.SeatStatus[static_cast<size_t>(seat)] == TurnStatus::kEliminated) continue;
        players[seat].GiveOrders(g, n);
        ASSERT_TRUE(m.Deliver());
        SavesAndLoadsAlike(g, Where("network", seed, g, "after its orders"));
        SavesAndLoadsAlike(h, Where("network host", seed, g, "after a seat's orders"));
      }
      for (int c = 1; c <= 2; ++c) {
        if (h.SeatStatus[static_cast<size_t>(c)] == TurnStatus::kEliminated) continue;
        EndSeatTurn(*m.seats[c]);
        ASSERT_TRUE(m.Deliver());
      }
      EndSeatTurn(h);
      ASSERT_TRUE(m.Deliver());
      for (Game* g : m.seats) SavesAndLoadsAlike(*g, Where("network", seed, *g, "at the turn's start"));
      if (HasFailure()) return;
    }
  }
  ExpectEveryKind(n);
}

// A proximity bomb planted on its own world has no trip: saved before Done, the file loads through
// the loader the Load dialog uses, with the bomb still waiting in its slot.
TEST(EverySaveLoads, AProximityBombPlantedAtHomeBeforeDone) {
  ScratchFolder folder;
  TestGame t, other;
  Game& g = t.game;
  t.ports.onGameCheck = [&g] { GameCheck(g); };
  g.random.Seed(3);
  g.setup.txtPL = {"Ann", "Bob", "", ""};
  g.programFolder = folder.path();
  imgStart_Click(g);
  ProximityDialog dialog;
  dialog.OpenFor(g, kHomeWorld0, kHomeWorld0);
  dialog.text = "5";
  ASSERT_EQ(dialog.ImgSet_Click(g).result, LaunchResult::kLaunched);
  ASSERT_EQ(g.FleetTripTime[0], 0.0f);
  const std::string path = folder.File("home bomb.zq");
  ASSERT_TRUE(SaveGame(g, path));
  other.ports.onGameCheck = [&other] { GameCheck(other.game); };
  ASSERT_EQ(LoadSavedGame(other.game, path), LoadOutcome::kLoaded);
  EXPECT_EQ(SavedFieldDifferences(g, other.game), Lines());
  // Only a proximity bomb at home goes nowhere: a fleet's trip of 0 stays refused.
  GameState fleet = g;
  fleet.FleetShips[0] = 5;
  ASSERT_TRUE(CheckGameState(fleet));
  EXPECT_EQ(CheckGameState(fleet)->Text(),
            "travel slot 0, trip time: 0 years is no trip a launch gets (more than 0, at most .75).");
}

// A client's launch at the first step of the launch search, -2 pi, reaches its host rounded down
// to -6.284: the host keeps it and its saved game loads. A record its own saved game would refuse
// (more time left than the trip, each within the record's thousandths of the host's price) is
// not taken.
TEST(EverySaveLoads, AClientsLaunchReachesItsHostAsAStateItsSaveKeeps) {
  ScratchFolder folder;
  HostGame h;
  Game& g = h.g();
  const int bobHome = kHomeWorld0 + 1;
  int target = -1;
  for (int w = 0; w < g.WorldCount && target < 0; ++w)
    if (w != bobHome &&
        PriceLaunch(g, LaunchOrder::Fleet(bobHome, w, 2)).angle == static_cast<float>(-kTwoPi))
      target = w;
  ASSERT_GE(target, 0) << "no world the search reaches at its first step";
  std::string record = LaunchRecord(g, bobHome, target, 2, 2);
  ASSERT_EQ(record.substr(20, 6), "03.716");  // -6.284 + 10
  std::string late = record;
  late.replace(26, 5, Format(Val(record.substr(15, 5)) + 0.001, "0.000"));  // time left above the trip
  h.Receive(1, "[SEND] 00" + late + "*");
  EXPECT_EQ(g.FleetFrom[0], 0);
  h.Receive(1, "[SEND] 00" + record + "*");
  ASSERT_EQ(g.FleetFrom[0], bobHome + 1);
  EXPECT_LT(g.FleetAngleParam[0], static_cast<float>(-kTwoPi));
  const std::string path = folder.File("host.zq");
  ASSERT_TRUE(WriteSavedGame(g, path));
  const SavedGameRead read = ReadSavedGame(GameState(), ReadBytes(path));
  ASSERT_TRUE(read.state) << read.refusal.Message();
  EXPECT_EQ(read.state->FleetAngleParam[0], g.FleetAngleParam[0]);
}

}  // namespace
}  // namespace zarnath
