#include "ai/pulse_command.h"

#include "engine/event_notices.h"
#include "engine/turn_show.h"
#include "model/click_rules.h"
#include "model/game.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

void AnnounceToHuman(Game& g, int w) {
  const int owner = g.WorldOwner[w];
  const int p = owner - 1;
  TextBox& notice = g.window.txtGame;
  notice.ForeColor = g.PlayerColor[owner];
  notice.Text = "- Pulse Bomb Set On World " + g.WorldName[w] + "! -";
  g.io.screen.Refresh(Control::kTxtGame);
  LogTo(g, p, notice.Text);
  HistoryTo(g, p, w, EventPrefix(g) + ": A Pulse Bomb Was Set On World " + g.WorldName[w] + " ");
  ShowMoveLog(g);
  g.io.platform.Pause(1500);
}

}  // namespace

void mnuComSendPulse_Click(Game& g) {
  if (g.SelectedFrom == -1) return;
  ArmPulseBomb(g, g.SelectedFrom);
}

void ArmPulseBomb(Game& g, int w) {
  const bool human = g.CurrentPlayer >= 0 && g.CurrentPlayer < kSeats && IsHumanSeat(g, g.CurrentPlayer);
  if (CanArmPulseBomb(g, g.CurrentPlayer, w)) {
    g.WorldType[w] = static_cast<int16_t>(g.WorldType[w] + kPulseArmed);
    g.WorldBombs[w] = static_cast<int16_t>(g.WorldBombs[w] - 1);
    Tell(g, turn_event::PulseBombArmed{w});
    g.io.screen.Refresh(Control::kWindow);
    if (human) AnnounceToHuman(g, w);
  }
  g.SelectedFrom = g.SelectedTo = -1;
  if (human) {
    g.InputBusy = false;
    RedrawGalaxy(g);
    g.io.screen.Console();
  }
  g.io.platform.Yield();
}

}  // namespace zarnath
