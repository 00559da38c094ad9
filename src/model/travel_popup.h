// The travel options popup: what can be done between the selected source and target (the travel
// time, the ships needed, sending all ships or a share, a scout, a bomb, a proximity bomb), and
// the same popup filled with a home world's bomb rows. Each row carries its command code; the
// popup is 20 px high for its first row and 14 px more for every further row, and opens from its
// world towards the sun.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/view_geometry.h"

namespace zarnath {
struct GameState;

// Command codes of the popup's rows (0 = a row that only informs).
enum MenuCode : int {
  kMenuInert = 0,
  kMenuDistance = 1,
  kMenuShipsNeeded = 2,
  kMenuSend10 = 3,
  kMenuSend25 = 4,
  kMenuSend50 = 5,
  kMenuSend75 = 6,
  kMenuSendAll = 7,
  kMenuSendBomb = 8,
  kMenuSetProximity = 9,
  kMenuSetPulse = 10,
  kMenuSendScout = 11,
};

struct MenuRow {
  std::string text;
  int code = kMenuInert;
  bool operator==(const MenuRow&) const = default;
};

inline constexpr int kMenuFirstRow = 20;
inline constexpr int kMenuFurtherRow = 14;
inline constexpr int kMenuWidth = 280;
inline constexpr int kMenuMeasuredLimit = 270;  // a measured row this wide or wider widens the popup
inline constexpr int kPanelBombMenuWidth = 245;
inline constexpr char kMenuTitle[] = " WORLD TRAVEL OPTIONS ";

struct TravelPopup {
  std::vector<MenuRow> rows;
  int width = kMenuWidth;
  int height = 0;
  double left = 0;  // pixels in the window
  double top = 0;
  std::string measured;  // the row whose width decides the popup's width
};

// 20 px for the first row and 14 for each further one (0 for none).
int MenuHeight(size_t rows);

// What the popup needs from outside the rules: the width in pixels of a row's text in the
// window's font, and the ships-needed estimate for the selected pair (digits, left as given when
// nothing recent is known of the target).
struct PopupMeasures {
  std::function<int(const std::string&)> textWidth;
  std::function<void(GameState&, std::string&)> calcShips;
};

// The distance row for a trip of `years`: years to the next hundredth and whole turns; a target
// the solver cannot reach says so.
std::string DistanceRowText(float years);
// Whether what the current player knows of world t is recent enough for an estimate: a scout
// report gained at most four turns ago.
bool RecentIntelligence(const GameState& g, int t);

// The popup for the selected pair (both worlds in play and different). Solves the trip with the
// popup's launch-parameter step, which leaves its answer in TravelYears and TravelAngle.
TravelPopup BuildTravelPopup(GameState& g, const PopupMeasures& measures);
// The home world's bomb rows offered by a second press on the selected source: the pulse bomb,
// and the proximity bomb when the game has opponents; 280 px wide.
TravelPopup BuildSourceBombPopup(const GameState& g, int w);
// The same offered by the world panel's bombs row: under the title row, 245 px wide.
TravelPopup BuildPanelBombPopup(const GameState& g, int w);

}  // namespace zarnath
