#include "model/side_lists.h"

#include "model/game.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

bool CurrentSeatHuman(const GameState& g) {
  return g.CurrentPlayer >= 0 && g.CurrentPlayer < kSeats && IsHumanSeat(g, g.CurrentPlayer);
}

int Worlds(const GameState& g) {
  return g.WorldCount < kMaxWorlds ? g.WorldCount : kMaxWorlds;
}

std::string Blanks(int n) {
  return std::string(static_cast<size_t>(n), ' ');
}

int OwnProximityBombsOn(const GameState& g, int world) {
  int count = 0;
  for (int k = 0; k < kUsedBombSlots; ++k)
    if (g.ProxBombOwner[k] == g.CurrentPlayer + 1 && g.ProxBombWorld[k] == static_cast<float>(world)) ++count;
  return count;
}

}  // namespace

int TransitTurns(double yearsLeft) {
  return static_cast<int>(Int(yearsLeft / 0.05 + 0.999999));
}

std::string OwnedWorldRow(const GameState& g, int w) {
  const int production = g.WorldProduction[w], shield = g.WorldShield[w];
  const float ships = g.WorldShips[w];
  std::string row = "  " + g.WorldName[w] + Blanks(8);
  row += "\t" + Str(static_cast<int>(g.WorldClass[w])) + "\t";
  row += Blanks(production <= 9 ? 3 : 1) + Str(production);
  if (g.WorldShieldOn[w] != 0) row += "-S";
  row += "\t";
  row += Blanks(shield == 0 ? 4 : shield <= 99 ? 2 : 1) + Str(shield) + "%\t";
  // The pad follows the number alone: an excluded world's brackets do not change it.
  row += Blanks(ships <= 9 ? 6 : ships <= 99 ? 4 : ships <= 999 ? 2 : 0);
  const std::string count = StrTrim(ships);
  row += (g.WorldNoGather[w] ? "[" + count + "]" : count) + " ";
  if (g.WorldType[w] == kTypeFuel) row += "D";
  if (g.WorldBombs[w] > 0) row += std::string(static_cast<size_t>(g.WorldBombs[w]), 'B');
  row += std::string(static_cast<size_t>(OwnProximityBombsOn(g, w)), 'P');
  return row;
}

std::string TravelRow(const GameState& g, int slot) {
  const int t = TransitTurns(g.FleetTimeLeft[slot]);
  const int to = g.FleetTo[slot] - 1;
  const std::string& name = to >= 0 && to < kWorldSlots ? g.WorldName[to] : g.WorldName[kMaxWorlds];
  const float code = g.FleetShips[slot];
  std::string what, arrived;
  if (code <= kScout || code >= kAnnihilationBomb) {
    what = code == kAnnihilationBomb   ? " A Bomb"
           : code <= kAnnihilationBomb ? " A Scout Ship"
                                       : " A Proximity Bomb";
    arrived = ">" + what + " Has Arrived At World " + name;
  } else {
    what = Str(code) + " Ships";
    arrived = ">" + what + " Have Arrived At World " + name;
  }
  if (t < 1) return arrived;
  return what + " Will Reach World " + name + " in " + Format(t, "0") + (t == 1 ? " Turn" : " Turns");
}

SideLists BuildSideLists(const GameState& g) {
  SideLists panes;
  panes.human = CurrentSeatHuman(g);
  if (!panes.human) return panes;  // a computer seat: empty and hidden panes, no indicators

  const int own = g.CurrentPlayer + 1;
  int bombs = 0;
  bool fuel = false;
  for (int w = 0; w < Worlds(g); ++w) {
    if (g.WorldOwner[w] != own) continue;
    panes.owned.push_back({OwnedWorldRow(g, w), w});
    if (g.WorldBombs[w] > 0) bombs += g.WorldBombs[w];
    if (g.WorldType[w] > 0) fuel = true;
  }
  for (int j = 0; j < kUsedFleetSlots; ++j)
    if (g.FleetOwner[j] == own && g.FleetFrom[j] != 0) panes.travel.push_back({TravelRow(g, j), j});
  if (panes.travel.empty()) panes.travel.push_back({kNothingInFlight, kNoSlot});

  panes.ownedHeader = kOwnedHeader;
  panes.listsVisible = true;
  panes.indicatorsAllowed = !g.InputBusy;
  panes.bombVisible = panes.indicatorsAllowed && bombs > 0;
  if (panes.bombVisible) panes.bombCaption = Format(bombs, "0");
  panes.fuelVisible = panes.indicatorsAllowed && fuel;
  panes.crystalVisible = panes.indicatorsAllowed && g.HasCrystal[g.CurrentPlayer] == 1;
  return panes;
}

void ApplySideLists(GameState& g, const SideLists& panes) {
  g.window.SideListsVisible = panes.listsVisible;
  g.window.IndicatorsVisible = panes.indicatorsAllowed;
}

int FirstTravelRowChoice(const SideLists& panes) {
  return panes.travel.empty() ? -1 : 0;
}

}  // namespace zarnath
