#include "commands/world_panel_commands.h"

#include "commands/galaxy_clicks.h"
#include "commands/gathering.h"
#include "commands/world_switches.h"
#include "engine/event_notices.h"
#include "model/click_rules.h"
#include "model/game.h"
#include "model/truce.h"
#include "model/view_rules.h"
#include "model/world_panel.h"

namespace zarnath {
namespace {

// The panel's row codes.
inline constexpr int kShield = kPanelShield, kBombs = kPanelBombs, kDistancesFrom = kPanelDistancesFrom,
                     kDistancesTo = kPanelDistancesTo, kNearestShips = kPanelNearestShips,
                     kGatherExclusion = kPanelGatherExclusion, kNearestScout = kPanelNearestScout,
                     kNearestBomb = kPanelNearestBomb, kHistory = kPanelHistory, kMark = kPanelMark;

void CommonExit(Game& g, CommandView& view) {
  if (g.NetworkGame) g.io.screen.Focus(Control::kTxtMessage);
  g.SelectedFrom = g.SelectedTo = -1;
  g.InputBusy = false;
  view.ClearHoverLabel();
  g.io.platform.Yield();
}

void HidePanel(Game& g, CommandOutcome& out) {
  g.window.lstInfoVisible = false;
  out.panelHidden = true;
}

void Shield(Game& g, CommandView& view, int w, CommandOutcome& out) {
  if (SeatTurnDone(g) || !OwnWorld(g, w)) return;
  const int on = ToggleShield(g, w);
  SendShieldToHost(g, w);
  out.panelRows.push_back({kPanelShieldRow, on == 1 ? " - Shield: On" : " - Shield: Off"});
  EditShieldOnLabel(g, view, w);
  ShowTimedNotice(g, ShieldNotice(g, w), 1500);
}

// Answers true when the command ended on its own (the bomb popup or the proximity dialog).
bool Bombs(Game& g, int w, CommandOutcome& out) {
  // Only the seat to move may arm a bomb, and only on its own world.
  if (SeatTurnDone(g) || !HasOpponents(g) || g.WorldBombs[w] <= 0 || !OwnWorld(g, w)) return false;
  g.SelectedFrom = g.SelectedTo = static_cast<int16_t>(w);
  if (w < kHomeWorld0 || w >= kHomeWorld0 + kSeats) return false;
  HidePanel(g, out);
  if (!PulseArmedOn(g, w) && g.RadarSeen[static_cast<size_t>(w - kHomeWorld0)] == 1) {
    out.opens = WindowOpens::kTravelPopup;
    out.popup = BuildPanelBombPopup(g, w);
    g.window.lstMenuVisible = true;
    g.io.platform.Yield();
    g.InputBusy = false;
    return true;
  }
  g.ProxFrom = g.ProxTo = static_cast<int16_t>(w);
  out.opens = WindowOpens::kProximityDialog;
  out.world = w;
  out.proximityText = ProximityCountText(g, w, true);
  out.proximityValue = ProximityBarValue(g, w);
  g.InputBusy = false;
  g.SelectedFrom = g.SelectedTo = -1;
  return true;
}

void Distances(Game& g, CommandView& view, int w, bool towards, CommandOutcome& out) {
  if (g.TurnDone) return;
  HidePanel(g, out);
  ShowDistances(g, view, w, towards, true);
}

void GatherExclusion(Game& g, CommandView& view, int w, int row, CommandOutcome& out) {
  if (!OwnWorld(g, w)) return;
  const bool excluded = ToggleGatherExclusion(g, view, w);
  out.panelRows.push_back({row, excluded ? " - Include In Gather - " : " - Exclude From Gather - "});
  ShowTimedNotice(g, GatherNotice(g, w), 1500);
}

void Mark(Game& g, int w, CommandOutcome& out) {
  if (g.CurrentPlayer < 0 || g.CurrentPlayer >= kSeats) return;
  bool& marked = g.WorldMarked[static_cast<size_t>(g.CurrentPlayer)][static_cast<size_t>(w)];
  marked = !marked;
  out.panelRows.push_back({kPanelMarkRow, marked ? " - Unmark World - " : " - Mark World - "});
  g.SelectedFrom = -1;
  g.InputBusy = false;
  RedrawGalaxy(g);
  g.io.screen.Refresh(Control::kWindow);
}

}  // namespace

CommandOutcome lstInfo_Click(Game& g, CommandView& view, int world, int row, int code) {
  CommandOutcome out;
  if (row <= 0 || !g.window.lstInfoVisible || g.TurnResolving || !WorldIndexInPlay(g, world)) return out;
  out.ran = true;
  g.InputBusy = true;
  const int w = world;
  // The automatic sends never attack another player's world while a battle truce protects it.
  const bool automaticSend = code == kNearestShips || code == kNearestScout || code == kNearestBomb;
  if (automaticSend && TruceProtects(g, g.CurrentPlayer, w)) code = 0;
  switch (code) {
    case kShield:
      Shield(g, view, w, out);
      break;
    case kBombs:
      if (Bombs(g, w, out)) return out;
      break;
    case kDistancesFrom:
    case kDistancesTo:
      Distances(g, view, w, code == kDistancesTo, out);
      break;
    case kNearestShips:
      HidePanel(g, out);
      GatherNearestShips(g, view, w);
      break;
    case kNearestScout:
      HidePanel(g, out);
      if (OwnWorld(g, w))
        ScoutNearestWorlds(g, view, w);
      else
        SendNearestScout(g, view, w);
      break;
    case kNearestBomb:
      HidePanel(g, out);
      SendNearestBomb(g, view, w);
      break;
    case kGatherExclusion:
      GatherExclusion(g, view, w, row, out);
      break;
    case kHistory:
      HidePanel(g, out);
      out.opens = WindowOpens::kWorldHistory;
      out.world = w;
      break;
    case kMark:
      Mark(g, w, out);
      break;
    default:
      break;
  }
  CommonExit(g, view);
  return out;
}

}  // namespace zarnath
