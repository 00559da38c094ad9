// A saved game loaded, or a new game started, by the host while a client's Done and an order
// are on their way. Whatever the client sent for the game it had counts for nothing in the next
// one: right after it every machine holds the same game, with every seat taking its turn, the
// client's orders of the new turn reach the host's game, and two turns later every machine holds
// the same game at the same turn. The client's moves reach the host before the load, in the
// middle of the state's own frames, after them while the client has not read them yet, and at
// offsets of 0 to 300 ms before the host acts on the real clock.
#include <QTimer>
#include <deque>
#include <string>

#include "commands/world_switches.h"
#include "engine/launch.h"
#include "engine/save_load.h"
#include "fixtures/game_text.h"
#include "model/game_texts.h"
#include "net/live_clock.h"
#include "net/lobby.h"
#include "net/loopback.h"
#include "persist/persist_fixture.h"

namespace zarnath {
namespace {

using testing::GameText;
using testing::LiveClockPorts;
using testing::Settle;
using testing::Statuses;
using testing::WaitFor;
using Program = testing::BasicNetGame<LiveClockPorts>;

// Stands between a client's transport and its receiver: while held, what arrives waits here, as
// if the client's window were busy and read nothing; released, it goes on in the order it came.
struct SlowReader : NetworkEvents {
  NetSession& session;
  bool held = false;
  std::deque<std::string> kept;
  explicit SlowReader(NetSession& s) : session(s) {}
  void DataArrival(int element, const std::string& bytes) override {
    if (held)
      kept.push_back(bytes);
    else
      session.DataArrival(element, bytes);
  }
  void ConnectionOpened(int element) override { session.ConnectionOpened(element); }
  void ConnectionLost(int element) override { session.ConnectionLost(element); }
  void ConnectionClosed(int element) override { session.ConnectionClosed(element); }
  size_t FramesWaiting(int element) const override { return session.FramesWaiting(element); }
  bool LeftWaiting() const override { return session.LeftWaiting(); }
  void HandleLeftWaiting() override { session.HandleLeftWaiting(); }
  bool LeftUntilYieldsEnd() const override { return session.LeftUntilYieldsEnd(); }
  void Release() {
    held = false;
    while (!kept.empty()) {
      const std::string bytes = std::move(kept.front());
      kept.pop_front();
      session.DataArrival(0, bytes);
    }
  }
};

struct LanGame {
  Program ann{true}, bob{false}, cy{false};
  Program* programs[3] = {&ann, &bob, &cy};
  Game& h = ann.game;
  SlowReader bobReads{*bob.session};
  testing::ScratchFolder folder;

  LanGame() {
    for (Program* p : programs) p->ports.game = &p->game;
    bob.net.SetEvents(&bobReads);
  }
  bool Start() {
    h.setup.txtPL[0] = "Ann", bob.game.setup.txtPL[0] = "Bob", cy.game.setup.txtPL[0] = "Cy";
    h.setup.txtPlanets = "14";
    const uint16_t port = ann.Listen();
    bob.Join(port);
    if (!WaitFor([&] { return h.setup.txtPL[1] == "Bob"; })) return false;
    cy.Join(port);
    if (!WaitFor([&] { return h.setup.txtPL[2] == "Cy"; })) return false;
    h.random.Seed(8);
    imgStart_Click(h);
    return OpenAt(1.0f);
  }
  // Every program shows the turn of `year`, open for orders, with every seat taking its turn.
  bool OpenAt(float year) {
    return WaitFor([&] {
      for (Program* p : programs) {
        const Game& g = p->game;
        if (!g.window.Visible || g.InputBusy || g.TurnResolving || g.TurnDone || g.GameYear != year)
          return false;
        for (int seat = 0; seat < 3; ++seat)
          if (g.SeatStatus[static_cast<size_t>(seat)] != TurnStatus::kTakingTurn) return false;
      }
      return true;
    });
  }
  // Every seat presses Done, the clients first; true once the next turn is open everywhere.
  bool PlayTurn() {
    const float year = h.GameYear;
    EndSeatTurn(bob.game);
    EndSeatTurn(cy.game);
    EndSeatTurn(h);
    return OpenAt(year + 0.05f);
  }
  // The host's player loads the saved game, or starts a new one, once no step of the host's is
  // under way (as the load dialog does).
  void WhenFree(const std::function<void()>& act) {
    if (ann.ports.InsideYield()) {
      QTimer::singleShot(5, [this, act] { WhenFree(act); });
      return;
    }
    act();
  }
  std::string Where() {
    return "Ann " + Statuses(h) + ", Bob " + Statuses(bob.game) + ", Cy " + Statuses(cy.game) +
           "; refused by Ann: " + std::to_string(ann.session->dropped) + " " + ann.session->lastDropped +
           "; by Bob: " + std::to_string(bob.session->dropped) + " " + bob.session->lastDropped;
  }
};

// Bob's fleets in the host's travel table.
int BobsFleetsAtTheHost(const Game& h) {
  int fleets = 0;
  for (int j = 0; j < kUsedFleetSlots; ++j)
    if (h.FleetFrom[static_cast<size_t>(j)] != 0 && h.FleetOwner[static_cast<size_t>(j)] == 2) ++fleets;
  return fleets;
}

// Bob's last moves in the game he has: half his home world's ships sent to world 3, its shield
// switched, then Done; each only while that game is on his window (he would see the next one).
void BobMovesAndIsDone(Game& bob) {
  const float year = bob.GameYear;
  constexpr int home = kHomeWorld0 + 1;
  bob.SelectedFrom = home;
  bob.SelectedTo = 3;
  Sendships(bob, 50);
  if (bob.GameYear != year) return;
  ToggleShield(bob, home);
  SendShieldToHost(bob, home);
  if (bob.GameYear == year) EndSeatTurn(bob);
}

// After the load or the new game: the game as every machine holds it at once (Bob's order of the
// game he had is not in the host's), every seat taking its turn, Bob's order of the new turn
// reaching the host, and two turns later the three machines hold one game.
void PlayOnAfterTheReset(LanGame& lan, float year, const std::string& race) {
  ASSERT_TRUE(lan.OpenAt(year)) << race << ": " << lan.Where();
  Settle(150);  // what Bob sent for the game he had lands now
  Game& bob = lan.bob.game;
  EXPECT_EQ(GameText(bob), GameText(lan.h)) << race << ": the host's game is not Bob's";
  const int before = BobsFleetsAtTheHost(lan.h);
  bob.SelectedFrom = kHomeWorld0 + 1;
  bob.SelectedTo = 3;
  ASSERT_EQ(Sendships(bob, 50), LaunchResult::kLaunched) << race;
  EXPECT_TRUE(WaitFor([&] { return BobsFleetsAtTheHost(lan.h) == before + 1; }, 3000))
      << race << ": Bob's fleet of the new turn is not in the host's game; " << lan.Where();
  for (int turn = 0; turn < 2; ++turn)
    ASSERT_TRUE(lan.PlayTurn()) << race << ", turn " << turn << ": " << lan.Where();
  Settle(100);
  EXPECT_EQ(GameText(bob), GameText(lan.h)) << race;
  EXPECT_EQ(GameText(lan.cy.game), GameText(lan.h)) << race;
}

// What the host's player does: loads a save or starts a new game.
using Act = std::function<void()>;
// A way for Bob's moves to be on their way as the host's player acts.
using Race = std::function<void(const Act&)>;

// Runs `each` once for every race of Bob's moves with the host's act.
void RaceBobsMovesWith(LanGame& lan, const std::function<void(const Race&)>& each) {
  Game& h = lan.h;
  Game& bob = lan.bob.game;
  each([&](const Act& reset) {
    BobMovesAndIsDone(bob);
    ASSERT_TRUE(
        WaitFor([&] { return h.SeatStatus[1] == TurnStatus::kDoneTurn && !lan.ann.ports.InsideYield(); }));
    lan.WhenFree(reset);
  });
  each([&](const Act& reset) {
    int yields = 0;
    lan.ann.ports.onYield = [&] {
      if (++yields == 40) BobMovesAndIsDone(bob);
      QCoreApplication::processEvents();
    };
    lan.WhenFree(reset);
    lan.ann.ports.onYield = [] { QCoreApplication::processEvents(); };
    EXPECT_GE(yields, 40);
  });
  each([&](const Act& reset) {
    lan.bobReads.held = true;
    lan.WhenFree(reset);
    BobMovesAndIsDone(bob);  // still in the game he had
    EXPECT_TRUE(bob.TurnDone);
    // The moves reach the host after it acted; then Bob reads the new state.
    Settle(200);
    lan.bobReads.Release();
  });
  // On the real clock: the host's pauses hold it as the window's do.
  lan.ann.ports.realPauses = true;
  for (int offset = 0; offset <= 300; offset += 75)
    each([&](const Act& reset) {
      bool acted = false;
      QTimer::singleShot(0, [&] { BobMovesAndIsDone(bob); });
      QTimer::singleShot(offset, [&] {
        lan.WhenFree(reset);
        acted = true;
      });
      ASSERT_TRUE(WaitFor([&] { return acted; }));
    });
  lan.ann.ports.realPauses = false;
}

constexpr const char* kRaces[] = {"Bob's moves taken before", "Bob's moves sent amid the state's frames",
                                  "Bob's moves sent after the state's frames, before he read them"};
std::string RaceName(int k) {
  return k < 3 ? kRaces[k] : "Bob's moves " + std::to_string((k - 3) * 75) + " ms before";
}

TEST(LoadRace, MovesOnTheirWayWhenTheHostLoadsCountForNothingInTheLoadedGame) {
  LanGame lan;
  ASSERT_TRUE(lan.Start());
  ASSERT_TRUE(lan.PlayTurn());
  int race = 0;
  RaceBobsMovesWith(lan, [&](const Race& moves) {
    const std::string name = RaceName(race++) + " (a load)";
    SCOPED_TRACE(name);
    const float saved = lan.h.GameYear;
    const std::string path = lan.folder.File("race.zq");
    ASSERT_TRUE(SaveGame(lan.h, path));
    ASSERT_TRUE(lan.PlayTurn()) << lan.Where();
    moves([&] { EXPECT_EQ(LoadSavedGame(lan.h, path), LoadOutcome::kLoaded); });
    PlayOnAfterTheReset(lan, saved, name);
  });
  // Only the host refused anything: what Bob gave in the game he had.
  EXPECT_EQ(lan.bob.session->dropped, 0) << lan.bob.session->lastDropped;
  EXPECT_EQ(lan.cy.session->dropped, 0) << lan.cy.session->lastDropped;
}

TEST(LoadRace, MovesOnTheirWayWhenTheHostStartsANewGameCountForNothingInIt) {
  LanGame lan;
  ASSERT_TRUE(lan.Start());
  int race = 0;
  RaceBobsMovesWith(lan, [&](const Race& moves) {
    const std::string name = RaceName(race++) + " (a new game)";
    SCOPED_TRACE(name);
    ASSERT_TRUE(lan.PlayTurn()) << lan.Where();
    moves([&] { imgStart_Click(lan.h); });
    PlayOnAfterTheReset(lan, 1.0f, name);
  });
  EXPECT_EQ(lan.bob.session->dropped, 0) << lan.bob.session->lastDropped;
  EXPECT_EQ(lan.cy.session->dropped, 0) << lan.cy.session->lastDropped;
}

}  // namespace
}  // namespace zarnath
