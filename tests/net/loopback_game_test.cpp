// A host and two clients in one process play a network game over loopback: each seat gives
// scripted orders (fleets into battles, annihilation bombs, a pulse bomb), presses
// Done, and the host resolves the turn. After every turn the three machines hold the same game.

#include "ai/pulse_command.h"
#include "engine/launch.h"
#include "fixtures/game_text.h"
#include "model/game_texts.h"
#include "net/lobby.h"
#include "net/loopback.h"

namespace zarnath {
namespace {

using testing::NetGame;
using testing::WaitFor;

using testing::GameText;

// One order of the seat at this machine: a share of `from`'s ships, a scout or a bomb to `to`.
void Order(Game& g, int from, int to, float code) {
  g.SelectedFrom = static_cast<int16_t>(from);
  g.SelectedTo = static_cast<int16_t>(to);
  Sendships(g, code);
}

TEST(LoopbackGame, AHostAndTwoClientsPlayFiveTurnsToTheSameState) {
  NetGame host(true), bob(false), cy(false);
  Game& h = host.game;
  h.setup.txtPL[0] = "Ann", bob.game.setup.txtPL[0] = "Bob", cy.game.setup.txtPL[0] = "Cy";
  const uint16_t port = host.Listen();
  bob.Join(port);
  ASSERT_TRUE(WaitFor([&] { return h.setup.txtPL[1] == "Bob"; }));
  cy.Join(port);
  ASSERT_TRUE(WaitFor([&] { return h.setup.txtPL[2] == "Cy"; }));

  h.random.Seed(11);
  h.setup.txtPlanets = "14";
  h.setup.chkShield = 1;
  imgStart_Click(h);
  NetGame* clients[] = {&bob, &cy};
  for (NetGame* c : clients)
    ASSERT_TRUE(
        WaitFor([&] { return c->game.window.Visible && c->game.menus.mnuOptionsRadar.Caption != ""; }));
  EXPECT_EQ(bob.game.CurrentPlayer, 1);
  EXPECT_EQ(cy.game.CurrentPlayer, 2);
  EXPECT_EQ(GameText(bob.game), GameText(h));
  EXPECT_EQ(GameText(cy.game), GameText(h));

  Game* seats[] = {&h, &bob.game, &cy.game};
  int battles = 0, annihilations = 0, pulses = 0;
  for (int turn = 0; turn < 5; ++turn) {
    for (int seat = 0; seat < 3; ++seat) {
      Game& g = *seats[seat];
      const int home = kHomeWorld0 + seat;
      // Half the home fleet to a neutral world on this seat's side, and on the first turn a
      // bomb at the next seat's home world;
      // on the fourth turn the last seat arms its pulse bomb.
      Order(g, home, (seat * 3 + turn) % 8, 60);
      if (turn == 0) Order(g, home, kHomeWorld0 + (seat + 1) % 3, kAnnihilationBomb);
      if (turn == 3) {
        g.SelectedFrom = static_cast<int16_t>(home);
        if (seat == 2) mnuComSendPulse_Click(g);
      }
    }
    // The clients finish first; the host's own Done ends the turn.
    EndSeatTurn(bob.game);
    EndSeatTurn(cy.game);
    ASSERT_TRUE(WaitFor([&] {
      return h.SeatStatus[1] == TurnStatus::kDoneTurn && h.SeatStatus[2] == TurnStatus::kDoneTurn;
    })) << turn;
    host.ports.recording = true;
    host.ports.Clear();
    EndSeatTurn(h);
    battles += host.ports.Count("Sound battlestart.wav");
    pulses += host.ports.Count("Sound pulse.wav");
    annihilations += host.ports.Count("Sound bomb.wav");
    host.ports.recording = false;
    for (NetGame* c : clients)
      ASSERT_TRUE(WaitFor([&] { return !c->game.TurnResolving && c->game.GameYear == h.GameYear; })) << turn;
    // Whatever is still on the wire is in: both clients hold the host's game.
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(GameText(bob.game), GameText(h)) << "turn " << turn;
    EXPECT_EQ(GameText(cy.game), GameText(h)) << "turn " << turn;
    EXPECT_TRUE(!bob.game.InputBusy && !bob.game.TurnDone && bob.game.menus.mnuFile.Enabled) << turn;
  }
  EXPECT_NEAR(h.GameYear, 1.25f, 1e-5);
  EXPECT_GT(battles, 0);
  EXPECT_GT(pulses, 0);
  EXPECT_GT(annihilations, 0);
  EXPECT_EQ(bob.session->dropped + cy.session->dropped + host.session->dropped, 0);
}

}  // namespace
}  // namespace zarnath
