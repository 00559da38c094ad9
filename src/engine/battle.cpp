// The battle: set-up, the shots, the hits and the live panel.
#include "engine/battle.h"

#include <algorithm>
#include <cmath>

#include "engine/event_audience.h"
#include "engine/event_notices.h"
#include "engine/events.h"
#include "engine/net_send.h"
#include "engine/rounding.h"
#include "engine/turn_show.h"
#include "model/game.h"
#include "model/numbers.h"
#include "net/protocol.h"

namespace zarnath {
namespace {

using namespace battle_data;

constexpr double kBarLeft = 280.0, kBarWidth = 455.0;

bool BattleSlot(const GameState& g, int slot) {
  return SlotInPlay(g, slot);
}

void DrawBar(Game& g, int slot) {
  const size_t s = static_cast<size_t>(slot);
  const int w = g.FleetTo[s] - 1;
  g.io.screen.DrawStrengthBar(
      StrengthBarSplit(g.BattleData[kAttacker][kShipsLeft], g.BattleData[kDefender][kShipsLeft]),
      OwnerColour(g, g.FleetOwner[s]), OwnerColour(g, g.WorldOwner[static_cast<size_t>(w)]), true);
}

// One hit of side `from` on side `to`: a shield point, or ships by the class pair.
void Hit(GameState& g, int from, int to) {
  auto& d = g.BattleData;
  if (d[to][kShield] > 0) {
    d[to][kShield] -= 1;
  } else if (d[from][kClass] > d[to][kClass]) {
    const double ratio = d[to][kClass] > 0 ? static_cast<double>(d[from][kClass]) / d[to][kClass]
                                           : static_cast<double>(d[from][kClass]);
    d[to][kShipsLeft] = RoundToInt32(d[to][kShipsLeft] - (ratio / 2.0 + 0.5));
  } else {
    d[to][kShipsLeft] -= 1;
  }
  if (d[to][kShipsLeft] < 0) d[to][kShipsLeft] = 0;
  if (d[to][kShotsLeft] > d[to][kShipsLeft]) d[to][kShotsLeft] = d[to][kShipsLeft];
}

}  // namespace

uint8_t DrawAccuracy(Game& g, int shipClass) {
  const int c = std::clamp(shipClass, 1, 5);
  const double span = 40 - (c - 1) * 5;
  return static_cast<uint8_t>(Int(span * g.random.Next()) + 60 + (c - 1) * 5);
}

float ShotDelay(float worldShips, float fleetShips) {
  if (worldShips <= 0 || fleetShips <= 9) return 300.0f;
  const double ws = worldShips, fs = fleetShips;
  return static_cast<float>(((ws * 1500.0 + fs) * 2.0) / (ws * fs));
}

double StrengthBarSplit(int32_t attackerShips, int32_t defenderShips) {
  const double a = std::max(attackerShips, 0), d = std::max(defenderShips, 0);
  if (a + d <= 0) return kBarLeft + kBarWidth / 2.0;
  return kBarLeft + kBarWidth * a / (a + d);
}

void BattleSetup(Game& g, int slot) {
  if (!BattleSlot(g, slot)) return;
  const size_t s = static_cast<size_t>(slot);
  const int w = g.FleetTo[s] - 1, a = g.FleetOwner[s];
  const size_t wi = static_cast<size_t>(w);
  g.window.txtMove.Visible = false;
  g.window.lblPlanet.Visible = false;
  if (IsHostOrSingle(g)) {
    g.AttackAccuracy = DrawAccuracy(g, g.FleetClass[s]);
    g.DefendAccuracy = DrawAccuracy(g, g.WorldClass[wi]);
  }

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

  auto& d = g.BattleData;
  const int32_t fleet = RoundToInt32(g.FleetShips[s]), garrison = RoundToInt32(g.WorldShips[wi]);
  d[kAttacker] = {0, fleet, g.FleetClass[s], g.AttackAccuracy, g.FleetShield[s], fleet, fleet, 0};
  d[kDefender] = {0, garrison, g.WorldClass[wi], g.DefendAccuracy, g.WorldShield[wi], garrison, garrison, 0};

  for (int label : {9, 10, 14, 13, 11, 12}) panel.Label[static_cast<size_t>(label)].ForeColor = kNeutralColor;
  g.io.screen.Refresh(Control::kBattleFrames);

  const ViewPoint at = WorldPixel(g, w);
  g.io.screen.DrawShipDots(at.x, at.y, attacker, kBlackColor, ShipDotsFor(g.FleetShips[s]), 3);
  WorldUp(g, slot);
  if (!g.SpeedGame) DrawBar(g, slot);
  g.io.screen.Refresh(Control::kWindow);
  g.BattleDelay = ShotDelay(g.WorldShips[wi], g.FleetShips[s]);

  g.window.txtGame.Visible = true;
  ShowNotice(g, kNeutralColor,
             "- Battle Alert: " + Str(g.FleetShips[s]) + " Ships from " + OwnerName(g, a) + " Attacking" +
                 Str(g.WorldShips[wi]) + " Ships on World " + g.WorldName[wi] + " -");
  EventSound(g, "battlestart.wav");
}

void FromHit(Game& g, int /*slot*/) {
  Hit(g, kAttacker, kDefender);
}
void ToHit(Game& g, int /*slot*/) {
  Hit(g, kDefender, kAttacker);
}

namespace {

// The live figures of both sides into the panel (unless `captions` is off), the panel repainted,
// the strength bar redrawn unless in a speed game, and a yield.
void ShowFigures(Game& g, int slot, bool captions) {
  if (captions) {
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
  if (slot >= 0 && slot < kFleetSlots && g.FleetOwner[static_cast<size_t>(slot)] > 0 &&
      g.FleetTo[static_cast<size_t>(slot)] > 0 && BattleSlot(g, slot) && !g.SpeedGame)
    DrawBar(g, slot);
  g.io.platform.Yield();
}

}  // namespace

void FrameUpdate(Game& g, int slot) {
  ShowFigures(g, slot, true);
}

void Battle(Game& g, int slot) {
  if (!BattleSlot(g, slot)) return;
  BattleSetup(g, slot);
  g.io.platform.Yield();
  HostSendEach(
      g,
      [&] {
        return Frame(Tag::kBattleAccu, 0, Format(g.AttackAccuracy, "00") + Format(g.DefendAccuracy, "00"));
      },
      [&] { return Frame(Tag::kBattleSetup, slot); });
  if (!IsHostOrSingle(g)) return;

  auto& d = g.BattleData;
  int pass = 0;
  bool over = false;
  // Shot after shot at the pace of the shot delay, counted from the start of the shot before, so
  // showing a shot does not lengthen the battle.
  bool shotShown = false;
  int64_t shotStart = 0;
  while (!over) {
    for (int side = kAttacker; side <= kDefender && !over; ++side) {
      g.BattleSide = static_cast<uint8_t>(side);
      const int shots = g.setup.chkMode == 1 ? 1 : d[side][kShotsLeft];
      for (int k = 1; k <= shots; ++k) {
        if (d[side][kShotsLeft] >= 1) {
          if (!g.SpeedGame) {
            const int delay = static_cast<int>(std::nearbyint(g.BattleDelay));
            g.io.platform.PauseUntil((shotShown ? shotStart : g.io.platform.NowMs()) + delay);
            shotStart = g.io.platform.NowMs();
            shotShown = true;
          }
          d[side][kShotsLeft] -= 1;
          const bool hit = static_cast<float>(g.random.Next() * 100.0f) <= d[side][kAccuracy];
          if (hit) {
            if (side == kAttacker) {
              HostSend(g, [&] { return Frame(Tag::kFromHit, slot); });
              FromHit(g, slot);
            } else {
              HostSend(g, [&] { return Frame(Tag::kToHit, slot); });
              ToHit(g, slot);
            }
          }
          HostSend(g, [&] { return Frame(Tag::kFrameUpdate, slot, Str(pass)); });
          // A speed game shows no shot by shot: the figures are written once the shots are over.
          ShowFigures(g, slot, !g.SpeedGame);
        }
        // An empty (or negative) garrison has no ships left to lose: the shooter has won.
        if (d[3 - side][kShipsLeft] <= 0) {
          over = true;
          break;
        }
      }
    }
    if (over) break;
    if (d[kAttacker][kShotsLeft] < 1 && d[kDefender][kShotsLeft] < 1) {
      d[kAttacker][kShotsLeft] = d[kAttacker][kShipsLeft];
      d[kDefender][kShotsLeft] = d[kDefender][kShipsLeft];
      if (d[kAttacker][kShotsLeft] < 1 && d[kDefender][kShotsLeft] < 1) {
        // Neither side has a ship to fire: the world holds.
        g.BattleSide = kDefender;
        over = true;
      }
    }
    ++pass;
  }

  HostSend(g, [&] { return Frame(Tag::kFrameUpdate, slot, Str(pass)); });
  FrameUpdate(g, slot);
  HostSend(g, [&] { return Frame(Tag::kBattleDone, g.BattleSide, Str(slot)); });
  BattleDone(g, slot);
  g.io.platform.Yield();
}

}  // namespace zarnath
