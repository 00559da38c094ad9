#include "model/click_rules.h"

#include <cmath>

#include "model/game.h"
#include "model/game_texts.h"
#include "model/numbers.h"
#include "model/view_rules.h"

namespace zarnath {
namespace {

bool Within(double a, double b, double half) {
  return std::abs(a - b) < half;
}

bool SeatValid(const GameState& g) {
  return g.CurrentPlayer >= 0 && g.CurrentPlayer < kSeats;
}

}  // namespace

bool SunHit(const GameState& g, double x, double y) {
  return Within(x, g.GalaxyCenterX, kSunCatch) && Within(y, g.GalaxyCenterY, kSunCatch);
}

bool WorldIndexInPlay(const GameState& g, int w) {
  return WorldInPlay(g, w);
}

bool WorldHit(const GameState& g, int w, double x, double y) {
  if (!WorldInPlay(g, w)) return false;
  const ViewPoint p = WorldPixel(g, w);
  return Within(x, p.x, kWorldCatch) && Within(y, p.y, kWorldCatch);
}

std::vector<int> WorldsHitAt(const GameState& g, double x, double y) {
  std::vector<int> hits;
  for (int w = 0; w < g.WorldCount && w < kMaxWorlds; ++w)
    if (WorldHit(g, w, x, y)) hits.push_back(w);
  return hits;
}

int OwnFleetHitAt(const GameState& g, double x, double y) {
  if (g.HideFleets || !SeatValid(g)) return -1;
  for (int s = 0; s < kUsedFleetSlots; ++s) {
    if (!SlotDrawable(g, s) || g.FleetOwner[s] != g.CurrentPlayer + 1 || !FleetMoved(g, s)) continue;
    const ViewPoint p = ToPixel(g, FleetUnscaledNow(g, s));
    if (Within(x, p.x, kMarkCatch) && Within(y, p.y, kMarkCatch)) return s;
  }
  return -1;
}

std::optional<BombHit> OwnBombHitAt(const GameState& g, double x, double y) {
  if (!SeatValid(g)) return std::nullopt;
  for (int k = 0; k < kUsedBombSlots; ++k) {
    if (g.ProxBombOwner[k] != g.CurrentPlayer + 1) continue;
    const int w = BombWorld(g, k);
    if (w < 0) continue;
    const ViewSpot offset = BombOffset(BombStackIndex(g, k));
    const ViewPoint p = WorldPixel(g, w);
    const BombHit hit{k, p.x + offset.x * g.GalaxyScaleX, p.y + offset.y * g.GalaxyScaleY};
    if (Within(hit.x, x, kMarkCatch) && Within(hit.y, y, kMarkCatch)) return hit;
  }
  return std::nullopt;
}

std::string ThresholdCaption(float threshold) {
  return "Ship Threshold: " + StrTrim(threshold);
}

bool HasOpponents(const GameState& g) {
  return !g.PlayerName[1].empty() || !g.PlayerName[2].empty() || !g.PlayerName[3].empty();
}

bool OwnWorld(const GameState& g, int w) {
  return WorldInPlay(g, w) && SeatValid(g) && g.WorldOwner[w] == g.CurrentPlayer + 1;
}

bool SeatTurnDone(const GameState& g) {
  if (!SeatValid(g)) return true;
  return g.SeatStatus[static_cast<size_t>(g.CurrentPlayer)] == TurnStatus::kDoneTurn;
}

bool PulseArmedOn(const GameState& g, int w) {
  return WorldInPlay(g, w) && (g.WorldType[w] == kTypeArmedPulse || g.WorldType[w] == kTypeArmedPulseFuel);
}

bool CanArmPulseBomb(const GameState& g, int seat, int w) {
  if (w < kHomeWorld0 || w >= kHomeWorld0 + kSeats || !WorldInPlay(g, w)) return false;
  if (g.PlayerName[w - kHomeWorld0].empty()) return false;
  if (seat < 0 || seat >= kSeats || g.WorldOwner[w] != seat + 1) return false;
  const int type = g.WorldType[w];
  return (type == kTypeNothing || type == kTypeFuel) && g.WorldBombs[w] >= 1;
}

std::string FramedNotice(const std::string& text) {
  return "\r\n" + text + "\r\n";
}

std::string TruceNotice(int turnsLeft) {
  if (turnsLeft <= 1) return FramedNotice("    Battle Truce Ends Next Turn    ");
  return FramedNotice("    Battle Truce Ends In" + Str(turnsLeft) + " Turns    ");
}

void HideSeatPopups(GameState& g) {
  g.window.lstInfoVisible = false;
  g.window.lstMenuVisible = false;
}

ViewPoint PlaceTowardsSun(const GameState& g, ViewPoint at, double width, double height) {
  return {at.x > g.GalaxyCenterX ? at.x - width : at.x, at.y > g.GalaxyCenterY ? at.y - height : at.y};
}

}  // namespace zarnath
