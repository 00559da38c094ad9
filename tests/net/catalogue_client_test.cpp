// The program's host with two clients: Bob, the program's own, and Zed, a client written from the
// protocol's catalogue alone, which sends only its Done and its orders and knows no frame beyond
// the catalogue. After the host loads a save in play, loads one from the lobby, and starts a new
// game in play (Zed's Done, and at the load an order, on their way each time), the game goes on
// for three turns: each turn opens on every machine, Zed's orders and Done count on the host as
// the catalogue has a host take them, Zed hears only the catalogue's frames, and the host refuses
// nothing that either client sent.
#include <QTimer>
#include <string>

#include "engine/save_load.h"
#include "fixtures/game_text.h"
#include "net/catalogue_client.h"
#include "net/live_clock.h"
#include "net/lobby.h"
#include "net/loopback.h"
#include "persist/persist_fixture.h"

namespace zarnath {
namespace {

using testing::CatalogueClient;
using testing::GameText;
using testing::LiveClockPorts;
using testing::Settle;
using testing::Statuses;
using testing::WaitFor;
using Program = testing::BasicNetGame<LiveClockPorts>;

struct WithZed {
  Program ann{true}, bob{false};
  CatalogueClient zed{"Zed"};
  Game& h = ann.game;
  testing::ScratchFolder folder;

  WithZed() {
    ann.ports.game = &ann.game;
    bob.ports.game = &bob.game;
  }
  // Bob and Zed in the host's lobby.
  bool Gather() {
    h.setup.txtPL[0] = "Ann", bob.game.setup.txtPL[0] = "Bob";
    h.setup.txtPlanets = "14";
    const uint16_t port = ann.Listen();
    bob.Join(port);
    if (!WaitFor([&] { return h.setup.txtPL[1] == "Bob"; })) return false;
    return zed.Join(port) && WaitFor([&] { return h.setup.txtPL[2] == "Zed"; });
  }
  bool Start() {
    if (!Gather()) return false;
    h.random.Seed(8);
    imgStart_Click(h);
    return OpenAt(1.0f);
  }
  // The turn of `year` is open on the host's window and Bob's, with Ann and Bob taking it, and on
  // Zed's; Zed's own seat stands on the host as Zed holds it.
  bool OpenAt(float year) {
    return WaitFor([&] {
      for (const Game* g : {&h, &bob.game}) {
        if (!g->window.Visible || g->InputBusy || g->TurnResolving || g->TurnDone || g->GameYear != year)
          return false;
        for (int seat = 0; seat < 2; ++seat)
          if (g->SeatStatus[static_cast<size_t>(seat)] != TurnStatus::kTakingTurn) return false;
      }
      const TurnStatus zeds = zed.done ? TurnStatus::kDoneTurn : TurnStatus::kTakingTurn;
      return zed.turnOpen && h.SeatStatus[2] == zeds && bob.game.SeatStatus[2] == zeds;
    });
  }
  // Zed switches his world's shield, which the host takes; then everyone presses Done, the clients
  // first; true once the next turn is open on every machine.
  bool PlayTurn() {
    const float year = h.GameYear;
    const int opened = zed.turnsOpened;
    if (!zed.done) {
      zed.SwitchShield();
      EXPECT_TRUE(WaitFor([&] {
        return h.WorldShieldOn[static_cast<size_t>(zed.homeWorld)] == zed.shieldSent;
      })) << "Zed's order did not reach the host's game: "
          << Where();
      zed.PressDone();
    }
    EndSeatTurn(bob.game);
    EndSeatTurn(h);
    return OpenAt(year + 0.05f) && WaitFor([&] { return zed.turnsOpened == opened + 1; });
  }
  // The host's player loads or starts anew once no step of the host's is under way.
  void WhenFree(const std::function<void()>& act) {
    bool done = false;
    std::function<void()> attempt = [&] {
      if (ann.ports.InsideYield()) {
        QTimer::singleShot(5, attempt);
        return;
      }
      act();
      done = true;
    };
    attempt();
    ASSERT_TRUE(WaitFor([&] { return done; }));
  }
  // After a load or a new game: three turns played on, and nothing refused or outside the
  // catalogue anywhere.
  void PlaysOn(float year, const std::string& after) {
    ASSERT_TRUE(OpenAt(year)) << after << ": " << Where();
    for (int turn = 1; turn <= 3; ++turn)
      ASSERT_TRUE(PlayTurn()) << after << ", turn " << turn << ": " << Where();
    Settle(100);
    EXPECT_EQ(GameText(bob.game), GameText(h)) << after;
    EXPECT_TRUE(zed.faults.empty()) << after << ": " << zed.faults.front();
    EXPECT_EQ(ann.session->dropped, 0) << after << ": " << ann.session->lastDropped;
    EXPECT_EQ(bob.session->dropped, 0) << after << ": " << bob.session->lastDropped;
  }
  std::string Where() {
    return "Ann " + Statuses(h) + ", Bob " + Statuses(bob.game) + ", Zed " +
           (zed.turnOpen ? "open" : "closed") + (zed.done ? " done" : "") + " after " +
           std::to_string(zed.turnsOpened) +
           " turns; refused by Ann: " + std::to_string(ann.session->dropped) + " " + ann.session->lastDropped;
  }
};

TEST(CatalogueClient, PlaysOnAfterTheHostLoadsAGameInPlay) {
  WithZed lan;
  ASSERT_TRUE(lan.Start());
  ASSERT_TRUE(lan.PlayTurn());
  const float saved = lan.h.GameYear;
  const std::string path = lan.folder.File("zed.zq");
  ASSERT_TRUE(SaveGame(lan.h, path));
  ASSERT_TRUE(lan.PlayTurn());
  // Zed's order and Done are on their way as the host loads: the catalogue has a host take them
  // in the game it holds, the loaded one.
  lan.zed.SwitchShield();
  lan.zed.PressDone();
  lan.WhenFree([&] { EXPECT_EQ(LoadSavedGame(lan.h, path), LoadOutcome::kLoaded); });
  ASSERT_TRUE(WaitFor([&] { return lan.h.SeatStatus[2] == TurnStatus::kDoneTurn && lan.zed.done; }))
      << "Zed's Done did not count in the loaded game: " << lan.Where();
  EXPECT_EQ(lan.h.WorldShieldOn[static_cast<size_t>(lan.zed.homeWorld)], lan.zed.shieldSent);
  lan.PlaysOn(saved, "the load in play");
  EXPECT_EQ(lan.zed.states, 2);
}

TEST(CatalogueClient, PlaysOnAfterTheHostLoadsAGameFromTheLobby) {
  std::string path;
  float saved = 0;
  testing::ScratchFolder folder;
  {
    WithZed first;
    ASSERT_TRUE(first.Start());
    ASSERT_TRUE(first.PlayTurn());
    saved = first.h.GameYear;
    path = folder.File("lobby.zq");
    ASSERT_TRUE(SaveGame(first.h, path));
  }
  WithZed lan;
  ASSERT_TRUE(lan.Gather());
  lan.WhenFree([&] { EXPECT_EQ(LoadSavedGame(lan.h, path), LoadOutcome::kLoaded); });
  // The host's game is its own: it may start, load or renew another.
  EXPECT_TRUE(lan.h.menus.mnuFileNew.Enabled && lan.h.menus.mnuFileLoad.Enabled &&
              lan.h.menus.mnuFileNewSS.Enabled);
  lan.PlaysOn(saved, "the load from the lobby");
  EXPECT_EQ(lan.zed.states, 1);
}

TEST(CatalogueClient, PlaysOnAfterTheHostStartsANewGameInPlay) {
  WithZed lan;
  ASSERT_TRUE(lan.Start());
  ASSERT_TRUE(lan.PlayTurn());
  ASSERT_TRUE(lan.PlayTurn());
  // Zed's Done is on its way as the host starts anew: it counts in the new game.
  lan.zed.PressDone();
  lan.WhenFree([&] { imgStart_Click(lan.h); });
  ASSERT_TRUE(WaitFor([&] { return lan.h.SeatStatus[2] == TurnStatus::kDoneTurn && lan.zed.done; }))
      << "Zed's Done did not count in the new game: " << lan.Where();
  lan.PlaysOn(1.0f, "the new game");
  EXPECT_EQ(lan.zed.states, 2);
}

}  // namespace
}  // namespace zarnath
