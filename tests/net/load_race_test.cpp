// A saved game loaded by the host while a client's Done is on its way. Whatever the client sent
// for the game it had (its Done) counts for nothing in the loaded one: after the load every
// window shows every seat taking its turn, the client's orders of the loaded turn reach the
// host's game, and two turns later every machine holds the same game at the same turn. The Done
// reaches the host before the load, in the middle of the load's own frames, after them while the
// client has not read them yet, and at offsets of 0 to 300 ms before the load on the real clock.
#include <QTimer>
#include <deque>
#include <string>

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
  size_t FramesWaiting(int element) const override { return session.FramesWaiting(element); }
  bool LeftWaiting() const override { return session.LeftWaiting(); }
  void HandleLeftWaiting() override { session.HandleLeftWaiting(); }
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
  // The host's player loads the saved game, once no step of the host's is under way (as the load
  // dialog does).
  void LoadWhenFree(const std::string& path) {
    if (ann.ports.InsideYield()) {
      QTimer::singleShot(5, [this, path] { LoadWhenFree(path); });
      return;
    }
    EXPECT_EQ(LoadSavedGame(h, path), LoadOutcome::kLoaded);
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

// After the load: every seat takes its turn, Bob's order of the loaded turn reaches the host, and
// two turns later the three machines hold one game.
void PlayOnAfterTheLoad(LanGame& lan, float loadedYear, const std::string& race) {
  ASSERT_TRUE(lan.OpenAt(loadedYear)) << race << ": " << lan.Where();
  Game& bob = lan.bob.game;
  const int before = BobsFleetsAtTheHost(lan.h);
  bob.SelectedFrom = kHomeWorld0 + 1;
  bob.SelectedTo = 3;
  ASSERT_EQ(Sendships(bob, 50), LaunchResult::kLaunched) << race;
  EXPECT_TRUE(WaitFor([&] { return BobsFleetsAtTheHost(lan.h) == before + 1; }, 3000))
      << race << ": Bob's fleet of the loaded turn is not in the host's game; " << lan.Where();
  for (int turn = 0; turn < 2; ++turn)
    ASSERT_TRUE(lan.PlayTurn()) << race << ", turn " << turn << ": " << lan.Where();
  Settle(100);
  EXPECT_EQ(GameText(bob), GameText(lan.h)) << race;
  EXPECT_EQ(GameText(lan.cy.game), GameText(lan.h)) << race;
}

// Saves the game of this turn, plays a turn, and has the host load the save while Bob's Done is
// on its way as `race` arranges it.
template <class Race>
void LoadWithBobsDoneOnItsWay(LanGame& lan, const std::string& name, Race race) {
  SCOPED_TRACE(name);
  const float saved = lan.h.GameYear;
  const std::string path = lan.folder.File("race.zq");
  ASSERT_TRUE(SaveGame(lan.h, path));
  ASSERT_TRUE(lan.PlayTurn()) << lan.Where();
  race(path);
  PlayOnAfterTheLoad(lan, saved, name);
}

TEST(LoadRace, ADoneOnItsWayWhenTheHostLoadsCountsForNothingInTheLoadedGame) {
  LanGame lan;
  ASSERT_TRUE(lan.Start());
  ASSERT_TRUE(lan.PlayTurn());
  Game& h = lan.h;
  Game& bob = lan.bob.game;

  LoadWithBobsDoneOnItsWay(lan, "Bob's Done taken before the load", [&](const std::string& path) {
    EndSeatTurn(bob);
    ASSERT_TRUE(
        WaitFor([&] { return h.SeatStatus[1] == TurnStatus::kDoneTurn && !lan.ann.ports.InsideYield(); }));
    lan.LoadWhenFree(path);
  });

  LoadWithBobsDoneOnItsWay(lan, "Bob's Done sent amid the load's frames", [&](const std::string& path) {
    int yields = 0;
    lan.ann.ports.onYield = [&] {
      if (++yields == 40) EndSeatTurn(bob);
      QCoreApplication::processEvents();
    };
    lan.LoadWhenFree(path);
    lan.ann.ports.onYield = [] { QCoreApplication::processEvents(); };
    EXPECT_GE(yields, 40);
  });

  LoadWithBobsDoneOnItsWay(lan, "Bob's Done sent after the load's frames, before he read them",
                           [&](const std::string& path) {
                             lan.bobReads.held = true;
                             lan.LoadWhenFree(path);
                             EndSeatTurn(bob);  // still in the game he had
                             EXPECT_TRUE(bob.TurnDone);
                             // The Done reaches the host after its load; then Bob reads the game.
                             Settle(200);
                             lan.bobReads.Release();
                           });

  // On the real clock: the host's pauses hold it as the window's do.
  lan.ann.ports.realPauses = true;
  for (int offset = 0; offset <= 300; offset += 75)
    LoadWithBobsDoneOnItsWay(lan, "the load " + std::to_string(offset) + " ms after Bob's Done",
                             [&](const std::string& path) {
                               bool loaded = false;
                               QTimer::singleShot(0, [&] { EndSeatTurn(bob); });
                               QTimer::singleShot(offset, [&] {
                                 lan.LoadWhenFree(path);
                                 loaded = true;
                               });
                               ASSERT_TRUE(WaitFor([&] { return loaded; }));
                             });

  // Only the host refused anything: the Dones Bob gave in the game he had.
  EXPECT_EQ(lan.bob.session->dropped, 0) << lan.bob.session->lastDropped;
  EXPECT_EQ(lan.cy.session->dropped, 0) << lan.cy.session->lastDropped;
}

}  // namespace
}  // namespace zarnath
