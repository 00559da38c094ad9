#include "model/world_history.h"

#include <algorithm>
#include <cctype>

#include "model/game.h"
#include "model/numbers.h"

namespace zarnath {

std::string HistoryArrivalLine(const GameState& g, int slot) {
  const double t = g.FleetTimeLeft[slot];
  const std::string years = Format(Int(t * 100 + 0.999) / 100, "0.00");
  const int turns = static_cast<int>(Int(t / 0.05 + 0.999999));
  const int from = g.FleetFrom[slot] - 1;
  const std::string& origin = from >= 0 && from < kMaxWorlds ? g.WorldName[from] : g.WorldName[kMaxWorlds];
  const std::string tail = "From World " + origin + " Will Arrive in " + years + " Years (" +
                           Format(turns, "0") + (turns <= 1 ? " Turn) " : " Turns) ") + "\r\n";
  const float n = g.FleetShips[slot];
  if (n > 0 && n < kAnnihilationBomb)
    return "   " + StrTrim(n) + " Ships With" + Str(static_cast<int>(g.FleetShield[slot])) + "% Shield " +
           tail;
  if (n == kAnnihilationBomb) return "   An Annihilation Bomb " + tail;
  if (n > kAnnihilationBomb) return "   A Proximity Bomb " + tail;
  return "   A Scout Ship " + tail;
}

std::string WorldHistoryText(const GameState& g, int w) {
  const int p = g.CurrentPlayer;
  if (w < 0 || w >= kMaxWorlds || p < 0 || p >= kSeats) return "";
  std::string arrivals;
  for (int j = 0; j < kUsedFleetSlots; ++j)
    if (g.FleetFrom[j] != 0 && g.FleetTo[j] == w + 1 && g.FleetOwner[j] == p + 1)
      arrivals += HistoryArrivalLine(g, j);
  std::string title = " - World " + g.WorldName[w] + " History -";
  std::transform(title.begin(), title.end(), title.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  const std::string& history = g.WorldHistory[p][w];
  std::string text = history.size() < 3 && arrivals.empty()
                         ? title +
                               "\r\n   No History Currently Available! \r\n"
                               "   Right-Click On World For Information \r\n"
                         : title + "\r\n" + arrivals + history;
  if (text.size() >= 2) text.resize(text.size() - 2);  // the closing line break
  return text;
}

double WorldHistoryColour(const GameState& g, int w) {
  const int owner = g.WorldOwner[w];
  return g.PlayerColor[owner < kPlayerSlots ? owner : 0];
}

int HistoryPopupHeight(int textHeight, int screenHeight) {
  return std::min(textHeight, screenHeight / 4);
}

ViewPoint PlaceHistoryPopup(const GameState& g, int w, double width, double height) {
  const float x = static_cast<float>(WorldPixel(g, w).x), y = static_cast<float>(WorldPixel(g, w).y);
  return {x > g.GalaxyCenterX ? x - width : x + 10.0, y > g.GalaxyCenterY ? y - height : y};
}

}  // namespace zarnath
