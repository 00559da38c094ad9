// The show of a battle: the panel and its strength bar, the alert, the pace of the shots and the
// outcome's notices, rings and sounds.
#include <cmath>

#include "engine/battle.h"
#include "engine/event_audience.h"
#include "engine/event_notices.h"
#include "engine/show_steps.h"
#include "engine/turn_show.h"
#include "model/game.h"
#include "model/numbers.h"
#include "model/view_geometry.h"

namespace zarnath::show {
namespace {

using namespace battle_data;

constexpr double kBarRight = 735.0;

void DrawBar(Game& g, int slot) {
  const size_t s = static_cast<size_t>(slot);
  const int w = g.FleetTo[s] - 1;
  g.io.screen.DrawStrengthBar(
      StrengthBarSplit(g.BattleData[kAttacker][kShipsLeft], g.BattleData[kDefender][kShipsLeft]),
      OwnerColour(g, g.FleetOwner[s]), OwnerColour(g, g.WorldOwner[static_cast<size_t>(w)]), true);
}

// The bar all in one colour at the end of a battle, and the notice of its outcome in that colour.
void ShowOutcome(Game& g, double colour, const std::string& notice) {
  g.io.screen.DrawStrengthBar(kBarRight, colour, colour, false);
  g.window.txtGame.ForeColor = colour;
  ShowNotice(g, colour, notice);
}

void ResetPanel(BattlePanel& panel) {
  for (size_t i = 1; i < panel.Label.size(); ++i) panel.Label[i].ForeColor = kPanelGrey;
  panel.Label[1].Caption.clear();
  panel.Label[2].Caption.clear();
  for (auto* values :
       {&panel.lblOrig, &panel.lblAccu, &panel.lblShield, &panel.lblShot, &panel.lblCurr, &panel.lblClass})
    for (size_t side = 1; side <= 2; ++side) (*values)[side].Caption.clear();
}

}  // namespace

void Shown(Game& g, const BattleSetUp& e) {
  const size_t s = static_cast<size_t>(e.slot);
  const int w = g.FleetTo[s] - 1, a = g.FleetOwner[s];
  const size_t wi = static_cast<size_t>(w);
  g.window.txtMove.Visible = false;
  g.window.lblPlanet.Visible = false;

  BattlePanel& panel = g.window.battle;
  const double attacker = OwnerColour(g, a), defender = OwnerColour(g, g.WorldOwner[wi]);
  panel.Label[1] = {OwnerName(g, a), attacker};
  panel.Label[2] = {"World " + g.WorldName[wi], defender};
  panel.lblOrig[1] = {Str(g.FleetShips[s]), attacker};
  panel.lblShield[1] = {Str(static_cast<int>(g.FleetShield[s])), attacker};
  panel.lblCurr[1] = {Str(g.FleetShips[s]), attacker};
  panel.lblShot[1] = {Str(g.FleetShips[s]), attacker};
  panel.lblClass[1] = {Str(static_cast<int>(g.FleetClass[s])), attacker};
  panel.lblAccu[1] = {Str(static_cast<int>(g.AttackAccuracy)), attacker};
  panel.lblCurr[2] = panel.lblShot[2] = panel.lblOrig[2] = {Str(g.WorldShips[wi]), defender};
  panel.lblAccu[2] = {Str(static_cast<int>(g.DefendAccuracy)), defender};
  panel.lblShield[2] = {Str(static_cast<int>(g.WorldShield[wi])), defender};
  panel.lblClass[2] = {Str(static_cast<int>(g.WorldClass[wi])), defender};
  for (int label : {3, 6, 7, 8, 4, 5}) panel.Label[static_cast<size_t>(label)].ForeColor = kNeutralColor;
  for (int label : {9, 10, 14, 13, 11, 12}) panel.Label[static_cast<size_t>(label)].ForeColor = kNeutralColor;
  g.io.screen.Refresh(Control::kBattleFrames);

  const ViewPoint at = WorldPixel(g, w);
  g.io.screen.DrawShipDots(at.x, at.y, attacker, kBlackColor, ShipDotsFor(g.FleetShips[s]), 3);
  WorldUp(g, e.slot);
  if (!g.SpeedGame) DrawBar(g, e.slot);
  g.io.screen.Refresh(Control::kWindow);

  g.window.txtGame.Visible = true;
  ShowNotice(g, kNeutralColor,
             "- Battle Alert: " + Str(g.FleetShips[s]) + " Ships from " + OwnerName(g, a) + " Attacking" +
                 Str(g.WorldShips[wi]) + " Ships on World " + g.WorldName[wi] + " -");
  EventSound(g, "battlestart.wav");
}

void Shown(Game& g, const BattleOpened&) {
  g.io.platform.Yield();
  g.window.shotShown = false;
}

void Shown(Game& g, const ShotDue&) {
  // Shot after shot at the pace of the shot delay, counted from the start of the shot before, so
  // showing a shot does not lengthen the battle.
  if (g.SpeedGame) return;
  const int delay = static_cast<int>(std::nearbyint(g.BattleDelay));
  g.io.platform.PauseUntil((g.window.shotShown ? g.window.frameStartMs : g.io.platform.NowMs()) + delay);
  g.window.frameStartMs = g.io.platform.NowMs();
  g.window.shotShown = true;
}

void Shown(Game&, const ShotHit&) {}

void Shown(Game& g, const FiguresShown& e) {
  // A speed game shows no shot by shot: the figures are written once the shots are over.
  if (!(e.liveShot && g.SpeedGame)) {
    BattlePanel& panel = g.window.battle;
    const auto& d = g.BattleData;
    for (int side : {kAttacker, kDefender}) {
      const size_t i = static_cast<size_t>(side);
      panel.lblShield[i].Caption = Str(d[i][kShield]);
      panel.lblCurr[i].Caption = Str(d[i][kShipsLeft]);
      panel.lblShot[i].Caption = Str(d[i][kShotsLeft]);
    }
  }
  g.io.screen.Refresh(Control::kBattleFrames);
  const int slot = e.slot;
  if (slot >= 0 && slot < kFleetSlots && g.FleetOwner[static_cast<size_t>(slot)] > 0 &&
      g.FleetTo[static_cast<size_t>(slot)] > 0 && SlotInPlay(g, slot) && !g.SpeedGame)
    DrawBar(g, slot);
  g.io.platform.Yield();
}

void Shown(Game&, const BattleDecided&) {}

void Shown(Game& g, const WorldFell& e) {
  ShowOutcome(g, OwnerColour(g, g.FleetOwner[static_cast<size_t>(e.slot)]), e.notice);
}

void Shown(Game& g, const AnnihilationBombLanded& e) {
  const size_t s = static_cast<size_t>(e.slot);
  const ViewPoint at = WorldPixel(g, g.FleetTo[s] - 1);
  g.io.screen.DrawBlob(at.x, at.y, OwnerColour(g, g.FleetOwner[s]), kBlackColor);
  WorldUp(g, e.slot);
  EventSound(g, "bomb.wav");
  g.io.platform.Pause(500);
}

void Shown(Game& g, const WorldHeld& e) {
  const size_t s = static_cast<size_t>(e.slot);
  ShowOutcome(g, OwnerColour(g, g.WorldOwner[static_cast<size_t>(g.FleetTo[s] - 1)]), e.notice);
}

void Shown(Game& g, const BattleSettled& e) {
  g.io.screen.Refresh(Control::kWindow);
  EventSound(g, e.won ? "battlewon.wav" : "battlelost.wav");
}

void Shown(Game& g, const TreasureFound& e) {
  if (!e.shown) return;
  ShowNotice(g, g.window.txtGame.ForeColor, e.notice);
  EventSound(g, "gameinfo.wav");
}

void Shown(Game& g, const TreasuresCounted&) {
  if (!g.SpeedGame) g.io.platform.Pause(1000);
}

void Shown(Game& g, const BattleEnding& e) {
  g.io.platform.Pause(1000);
  WorldDown(g, e.slot);
}

void Shown(Game& g, const BattleEnded&) {
  if (SideListsFollowEvents(g)) g.io.screen.Console();
  RedrawGalaxy(g);
  ResetPanel(g.window.battle);
  g.io.screen.Refresh(Control::kBattleFrames);
  ClearNotice(g);
}

}  // namespace zarnath::show
