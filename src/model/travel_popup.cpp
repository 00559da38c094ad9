#include "model/travel_popup.h"

#include <array>

#include "model/click_rules.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "model/game_texts.h"
#include "model/numbers.h"
#include "model/travel_time.h"

namespace zarnath {
namespace {

void Place(const GameState& g, TravelPopup& p, int w) {
  p.height = MenuHeight(p.rows.size());
  const ViewPoint at = PlaceTowardsSun(g, WorldPixel(g, w), p.width, p.height);
  p.left = at.x;
  p.top = at.y;
}

std::string Between(const GameState& g, int f, int t) {
  return " From World " + g.WorldName[f] + " To " + g.WorldName[t];
}

struct Share {
  float percent;
  float minimum;  // the row is offered only while the source holds more ships than this
  int code;
};
constexpr std::array<Share, 4> kShares = {{
    {75, 3, kMenuSend75},
    {50, 1, kMenuSend50},
    {25, 2, kMenuSend25},
    {10, 4, kMenuSend10},
}};

}  // namespace

int MenuHeight(size_t rows) {
  return rows == 0 ? 0 : kMenuFirstRow + kMenuFurtherRow * static_cast<int>(rows - 1);
}

std::string DistanceRowText(float years) {
  if (!(years < kUnreachableYears)) return " - Distance Between Worlds:  Out Of Reach";
  const double turns = Int(static_cast<double>(years) / 0.05 + 0.999999);
  const std::string shown = Format(Int(static_cast<double>(years) * 100.0 + 0.999) / 100.0, "0.00");
  return " - Distance Between Worlds:  " + shown + " Years (" + Format(turns, "0") +
         (turns > 1 ? " Turns)" : " Turn)");
}

bool RecentIntelligence(const GameState& g, int t) {
  if (g.CurrentPlayer < 0 || g.CurrentPlayer >= kSeats || !WorldIndexInPlay(g, t)) return false;
  const int learned = g.ScoutInfo[static_cast<size_t>(g.CurrentPlayer)][0][static_cast<size_t>(t)];
  return learned >= 1 && TurnOf(g) - 5 < learned;
}

TravelPopup BuildTravelPopup(GameState& g, const PopupMeasures& measures) {
  TravelPopup p;
  const int f = g.SelectedFrom, t = g.SelectedTo;
  if (!WorldIndexInPlay(g, f) || !WorldIndexInPlay(g, t) || f == t) return p;
  p.rows.push_back({kMenuTitle, kMenuInert});

  DistCalc(g, f, t, g.TravelYears, g.TravelAngle, kOptionsStep);
  p.measured = DistanceRowText(g.TravelYears);
  p.rows.push_back({p.measured, kMenuDistance});

  const float ships = g.WorldShips[f];
  if (g.WorldOwner[f] != g.WorldOwner[t]) {
    if (!RecentIntelligence(g, t)) {
      p.rows.push_back(
          {" - Ships Needed To Take Over World:  Send Scout", ships > 0 ? kMenuSendScout : kMenuInert});
    } else {
      std::string needed;
      if (measures.calcShips) measures.calcShips(g, needed);
      p.rows.push_back({" - Ships Needed To Take Over World:  ~" + needed + " Ships", kMenuShipsNeeded});
    }
  }

  if (ships >= 1) {
    const std::string row = " - Send" + Str(ships) + (ships > 1 ? " Ships" : " Ship") + Between(g, f, t);
    p.rows.push_back({row, kMenuSendAll});
    if (ships > 1) p.measured = row;
  }
  for (const Share& share : kShares) {
    if (!(ships > share.minimum)) continue;
    // The count the send command will launch for this share.
    const float n = FleetShare(g, f, share.percent);
    p.rows.push_back({" - Send" + Str(n) + (n <= 1 ? " Ship" : " Ships") + Between(g, f, t), share.code});
  }

  const bool crystalSeesTarget = g.CurrentPlayer >= 0 && g.CurrentPlayer < kSeats &&
                                 g.HasCrystal[g.CurrentPlayer] != 0 && g.WorldOwner[t] == 0;
  if (ships > 0 && g.WorldOwner[f] != g.WorldOwner[t] && !crystalSeesTarget)
    p.rows.push_back({" - Send A Scout" + Between(g, f, t), kMenuSendScout});

  if (g.WorldBombs[f] > 0) {
    p.rows.push_back({" - Send Bomb" + Between(g, f, t), kMenuSendBomb});
    if (HasOpponents(g))
      p.rows.push_back({" - Set Proximity Bomb on World " + g.WorldName[t], kMenuSetProximity});
  }

  const int measuredWidth = measures.textWidth ? measures.textWidth(p.measured) : 0;
  p.width = measuredWidth >= kMenuMeasuredLimit ? measuredWidth + 10 : kMenuWidth;
  Place(g, p, t);
  return p;
}

TravelPopup BuildSourceBombPopup(const GameState& g, int w) {
  TravelPopup p;
  if (!WorldIndexInPlay(g, w)) return p;
  p.rows.push_back({" - Set A Pulse Bomb On World " + g.WorldName[w], kMenuSetPulse});
  if (HasOpponents(g))
    p.rows.push_back({" - Set Proximity Bomb on World " + g.WorldName[w], kMenuSetProximity});
  p.width = kMenuWidth;
  Place(g, p, w);
  return p;
}

TravelPopup BuildPanelBombPopup(const GameState& g, int w) {
  TravelPopup p;
  if (!WorldIndexInPlay(g, w)) return p;
  p.rows.push_back({kMenuTitle, kMenuInert});
  p.rows.push_back({" - Set A Pulse Bomb On World " + g.WorldName[w], kMenuSetPulse});
  if (HasOpponents(g))
    p.rows.push_back({" - Set A Proximity Bomb on World " + g.WorldName[w], kMenuSetProximity});
  p.width = kPanelBombMenuWidth;
  Place(g, p, w);
  return p;
}

}  // namespace zarnath
