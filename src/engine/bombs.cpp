// Proximity bombs and pulse bombs.
#include <cmath>

#include "engine/event_audience.h"
#include "engine/event_notices.h"
#include "engine/events.h"
#include "engine/turn_show.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "model/numbers.h"
#include "model/travel_time.h"

namespace zarnath {
namespace {

constexpr double kProximityRange = 20.0;
constexpr double kPulseReach = 80.0;

bool WorldInPlay(const GameState& g, int w) {
  return w >= 0 && w < g.WorldCount && w < kMaxWorlds;
}

int BombWorld(const GameState& g, int prox) {
  return static_cast<int>(std::nearbyint(g.ProxBombWorld[static_cast<size_t>(prox)]));
}

}  // namespace

using namespace turn_event;

bool ProximityFires(const GameState& g, int j, int k) {
  if (j < 0 || j >= kUsedFleetSlots || k < 0 || k >= kUsedBombSlots) return false;
  const size_t s = static_cast<size_t>(j);
  // The threshold first: most objects pass most bombs below it, and it needs no world.
  const float ships = g.FleetShips[s];
  if (!(ships >= g.ProxBombThreshold[static_cast<size_t>(k)] || ships > kMaxFleetShips)) return false;
  const int o = g.FleetFrom[s] - 1, d = g.FleetTo[s] - 1, b = BombWorld(g, k);
  if (!WorldInPlay(g, o) || !WorldInPlay(g, d) || !WorldInPlay(g, b)) return false;

  const size_t oi = static_cast<size_t>(o), di = static_cast<size_t>(d), bi = static_cast<size_t>(b);
  const double trip = g.FleetTripTime[s];
  const double a = g.FleetAngleParam[s];
  const double rFrom = g.WorldRadius[oi];
  const double dR = rFrom - g.WorldRadius[di];
  const double fuel = g.WorldType[oi] == kTypeFuel ? 2.0 : 1.0;
  double span = trip * kTicksPerYear - 1.0;
  if (span == 0.0) span = 1.0;
  for (int sample = 10; sample >= 0; --sample) {
    // The object's elapsed ticks sample/10 of a turn ago; both worlds as they stood
    // (10 - sample)/10 of a turn ago.
    const double t = g.FleetTimeLeft[s] + sample * 0.005;
    const double n = static_cast<float>((trip - t) * kTicksPerYear);
    const double back = (10 - sample) / 10.0;
    const double angle = g.WorldAngle[oi] - g.WorldAngularSpeed[oi] * kTicksPerYear * 0.05 * back +
                         fuel * a * n * g.WorldRadius[kHomeWorld0] / (rFrom * kTicksPerYear);
    const double radius = rFrom - n * dR / span;
    // Two points whose distances from the sun differ by more than the range lie further apart
    // than it: such a sample needs no angles (the room covers the rounding of the positions).
    const double rBomb = g.WorldRadius[bi];
    if (std::fabs(std::fabs(radius) - std::fabs(rBomb)) >
        kProximityRange + 1e-9 * (std::fabs(radius) + std::fabs(rBomb)) + 1e-9)
      continue;
    const double bombAngle = g.WorldAngle[bi] - g.WorldAngularSpeed[bi] * kTicksPerYear * 0.05 * back;
    const double dx = radius * std::cos(angle) - g.WorldRadius[bi] * std::cos(bombAngle);
    const double dy = radius * std::sin(angle) - g.WorldRadius[bi] * std::sin(bombAngle);
    if (std::sqrt(dy * dy + dx * dx) <= kProximityRange) return true;
  }
  return false;
}

bool WithinPulseReach(const GameState& g, int slot, int world) {
  if (!SlotInPlay(g, slot) || !WorldInPlay(g, world)) return false;
  const PathPoint p = FleetPointNow(g, slot);
  const size_t w = static_cast<size_t>(world);
  const double dx = p.x - g.WorldRadius[w] * std::cos(g.WorldAngle[w]);
  const double dy = p.y - g.WorldRadius[w] * std::sin(g.WorldAngle[w]);
  return std::sqrt(dx * dx + dy * dy) <= kPulseReach;
}

void ProximitySet(Game& g, int slot) {
  if (!SlotInPlay(g, slot)) return;
  const size_t s = static_cast<size_t>(slot);
  const int w = g.FleetTo[s] - 1, o = g.FleetOwner[s];
  const float threshold = g.FleetShips[s] - kProximityBombBase;
  int k = -1;
  for (int i = 0; i < kUsedBombSlots; ++i)
    if (g.ProxBombOwner[static_cast<size_t>(i)] < 1) {
      k = i;
      break;
    }
  if (k >= 0) {
    g.ProxBombOwner[static_cast<size_t>(k)] = static_cast<int16_t>(o);
    g.ProxBombWorld[static_cast<size_t>(k)] = static_cast<float>(w);
    g.ProxBombThreshold[static_cast<size_t>(k)] = threshold;
  }

  const bool shown = OwnerShown(g, o);
  std::string notice;
  if (shown) {
    const std::string& world = g.WorldName[static_cast<size_t>(w)];
    if (k >= 0) {
      notice = "- A Proximity Bomb With a Threshold of" + Str(threshold) + " Ships Was Set On World " +
               world + " -";
      LogTo(g, o - 1, notice);
      HistoryTo(g, o - 1, w,
                EventPrefix(g) + ": A Proximity Bomb With a Threshold of" + Str(threshold) +
                    " Ships Was Set On World " + world);
    } else {
      // Every bomb slot is armed: the bomb is lost, and the owner is told so.
      notice = "- A Proximity Bomb Could Not Be Set On World " + world + ", All Bomb Slots Are In Use -";
      LogTo(g, o - 1, notice);
      HistoryTo(g, o - 1, w,
                EventPrefix(g) + ": A Proximity Bomb Could Not Be Set On World " + world +
                    ", All Bomb Slots Are In Use ");
    }
  }
  Tell(g, ProximityBombPlanted{slot, k, shown, notice});
  DataClear(g, slot);
  Tell(g, ArrivalFinished{slot, shown});
}

void Proximity(Game& g, int slot, int prox) {
  if (!SlotInPlay(g, slot) || prox < 0 || prox >= kUsedBombSlots) return;
  const size_t s = static_cast<size_t>(slot), k = static_cast<size_t>(prox);
  const int b = BombWorld(g, prox);
  if (!WorldInPlay(g, b)) return;
  const int q = g.ProxBombOwner[k], o = g.FleetOwner[s], w = g.FleetTo[s] - 1;
  const float n = g.FleetShips[s];

  const std::string& victim = OwnerName(g, o);
  const std::string& bombWorld = g.WorldName[static_cast<size_t>(b)];
  std::string notice, event;
  if (n < kAnnihilationBomb) {
    notice =
        "- A Proximity Bomb On World " + bombWorld + " Destroyed" + Str(n) + " Ships From " + victim + " -";
    event = " Destroyed" + Str(n) + " Ships From " + victim;
  } else {
    notice = "- A Proximity Bomb On World " + bombWorld + " Destroyed A Bomb From " + victim + " -";
    event = " Destroyed A Traveling Bomb From " + victim;
  }
  LogTo(g, o - 1, notice);
  LogTo(g, q - 1, notice);
  const std::string line = EventPrefix(g) + ": A Proximity Bomb Set By " + OwnerName(g, q) + " On World " +
                           g.WorldName[static_cast<size_t>(w)] + event + " ";
  HistoryTo(g, o - 1, w, line);
  HistoryTo(g, q - 1, w, line);
  Tell(g, ProximityBombFired{slot, prox, notice});
  g.ProxBombOwner[k] = 0;
  g.ProxBombWorld[k] = 0;
  g.ProxBombThreshold[k] = 0;
  Tell(g, ProximityBombSpent{slot});
  DataClear(g, slot);
  Tell(g, ObjectDestroyed{slot});
}

void PulseBomb(Game& g, int world) {
  if (world < kHomeWorld0 || world >= kHomeWorld0 + kSeats || !WorldInPlay(g, world)) return;
  const size_t W = static_cast<size_t>(world);
  Tell(g, PulseBombWentOff{world});

  const int q = g.WorldOwner[W];
  const std::string& worldName = g.WorldName[W];
  for (int j = 0; j < kUsedFleetSlots; ++j) {
    const size_t s = static_cast<size_t>(j);
    if (g.FleetFrom[s] == 0 || g.FleetOwner[s] == g.WorldOwner[W]) continue;
    if (static_cast<float>(g.FleetTimeLeft[s]) == g.FleetTripTime[s]) continue;  // not moved yet
    if (g.setup.OptRadar[1] || !WithinPulseReach(g, j, world)) continue;

    const float n = g.FleetShips[s];
    const int o = g.FleetOwner[s];
    const std::string& owner = OwnerName(g, o);
    std::string notice, t, v;
    if (n == kScout) {
      notice = "- A Scout From " + owner + " Was Destroyed By A Pulse Bomb On World " + worldName + " -";
      t = ": A Scout From ";
      v = " Was Destroyed By A Pulse Bomb On World ";
    } else if (n < kAnnihilationBomb) {
      notice = "-" + Str(n) + " Ships From " + owner + " Were Destroyed By A Pulse Bomb On World " +
               worldName + " -";
      t = ":" + Str(n) + " Ships From ";
      v = " Were Destroyed By A Pulse Bomb On World ";
    } else {
      notice = "- A Bomb From " + owner + " Was Destroyed By A Pulse Bomb On World " + worldName + " -";
      t = ": A Bomb From ";
      v = " Was Destroyed By A Pulse Bomb On World ";
    }
    LogTo(g, o - 1, notice);
    LogTo(g, q - 1, notice);
    const std::string line = EventPrefix(g) + t + owner + v + worldName + " ";
    HistoryTo(g, q - 1, world, line);
    HistoryTo(g, o - 1, world, line);
    Tell(g, ObjectPulsed{j, world, notice});
    DataClear(g, j);
  }

  Tell(g, PulseBombSpent{world});
  g.WorldType[W] = g.WorldType[W] == kTypeArmedPulseFuel ? kTypeFuel : kTypeNothing;
}

}  // namespace zarnath
