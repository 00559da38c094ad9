#include "model/orbit_step.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/game.h"
#include "model/numbers.h"
#include "model/travel_time.h"

namespace zarnath {
namespace {

// The seat of an owner code, -1 for nobody.
int SeatOf(int owner) {
  return owner >= 1 && owner <= kSeats ? owner - 1 : -1;
}

bool OwnerIsHuman(const GameState& g, int owner) {
  const int seat = SeatOf(owner);
  return seat >= 0 && IsHumanSeat(g, seat);
}

bool OwnObject(const GameState& g, int slot) {
  return g.FleetOwner[slot] == g.CurrentPlayer + 1;
}

// No other human plays at this computer: seats 1 to 3 are each empty or a computer player.
bool OnlyHumanIsSeatZero(const GameState& g) {
  for (int p = 1; p < kSeats; ++p)
    if (!g.PlayerName[p].empty() && IsHumanSeat(g, p)) return false;
  return true;
}

}  // namespace

bool OrbitTickShowsObject(const GameState& g, int slot) {
  if (g.HideFleets) return false;
  if (g.NetworkGame && OwnObject(g, slot)) return true;
  if (!g.NetworkGame && (OwnerIsHuman(g, g.FleetOwner[slot]) || g.FleetTimeLeft[slot] == 0)) return true;
  return g.setup.OptRadar[2];
}

bool OrbitTickShowsDestination(const GameState& g, int slot) {
  if (g.HideFleets || !OwnerIsHuman(g, g.FleetOwner[slot])) return false;
  return g.NetworkGame ? OwnObject(g, slot) : OnlyHumanIsSeatZero(g);
}

std::string YearLine(const GameState& g) {
  return "Year " + YearText(g.GameYear) + ", Turn #" + TurnText(g.GameYear);
}

int OrbitTickCount(const GameState& g) {
  return static_cast<int>(std::nearbyint(g.WorldRadius[kHomeWorld0] * 4.0 * 0.05));
}

SlotsInFlight SlotsInUse(const GameState& g) {
  SlotsInFlight used;
  for (int s = 0; s < kUsedFleetSlots; ++s)
    if (g.FleetFrom[s] != 0) used.slot[static_cast<size_t>(used.count++)] = s;
  return used;
}

void OrbitTick(GameState& g, const SlotsInFlight& inFlight) {
  const int worlds = std::min<int>(g.WorldCount, kMaxWorlds);
  for (int k = 0; k < worlds; ++k) {
    g.WorldAngle[k] = static_cast<float>(static_cast<double>(g.WorldAngle[k]) + g.WorldAngularSpeed[k]);
    // Once a tick: a world drawn at just over 2 pi stands where it stands after the turn back.
    if (g.WorldAngle[k] > kTwoPi) g.WorldAngle[k] = static_cast<float>(g.WorldAngle[k] - kTwoPi);
  }
  for (int u = 0; u < inFlight.count; ++u) {
    const int s = inFlight.slot[static_cast<size_t>(u)];
    if (!(g.FleetTimeLeft[s] > 0)) continue;
    g.FleetTimeLeft[s] -= 1.0 / kTicksPerYear;
    if (g.FleetTimeLeft[s] < 1e-8) g.FleetTimeLeft[s] = 0;  // arrived
  }
}

void LogYear(GameState& g, const std::string& yearLine) {
  for (int p = 0; p < kSeats; ++p)
    if (!g.PlayerName[p].empty() && IsHumanSeat(g, p)) g.PlayerLog[p] += "\r\n" + yearLine;
}

}  // namespace zarnath
