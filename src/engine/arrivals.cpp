// Arrivals: what an object that reached its destination does, reinforcements and scouting.
#include "engine/battle.h"
#include "engine/event_audience.h"
#include "engine/event_notices.h"
#include "engine/events.h"
#include "engine/turn_show.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "model/numbers.h"

namespace zarnath {

using namespace turn_event;

void EndTravel(Game& g, int slot) {
  if (!SlotInPlay(g, slot)) return;
  const size_t s = static_cast<size_t>(slot);
  const int w = g.FleetTo[s] - 1, o = g.FleetOwner[s];
  const float n = g.FleetShips[s];
  if (o == g.WorldOwner[static_cast<size_t>(w)]) {
    ResolveArrival(g, slot,
                   n >= kProximityBombBase ? ArrivalKind::kProximityBomb : ArrivalKind::kReinforcements);
  } else if (n == kScout) {
    ResolveArrival(g, slot, ArrivalKind::kScout);
  } else if (n == kAnnihilationBomb) {
    DecideBattle(g, slot, battle_data::kAttacker);
  } else if (n < kAnnihilationBomb) {
    Battle(g, slot);
  } else {
    ResolveArrival(g, slot, ArrivalKind::kProximityBomb);
  }
}

void ResolveArrival(Game& g, int slot, ArrivalKind kind) {
  Tell(g, ArrivalResolving{slot, kind});
  switch (kind) {
    case ArrivalKind::kReinforcements:
      Reinforcements(g, slot);
      break;
    case ArrivalKind::kProximityBomb:
      ProximitySet(g, slot);
      break;
    case ArrivalKind::kScout:
      Scout(g, slot);
      // Only the owner saw the report; every client learns that the scout's slot is free.
      Tell(g, SlotChanged{slot});
      break;
  }
  Tell(g, StepEnded{});
}

void Reinforcements(Game& g, int slot) {
  if (!SlotInPlay(g, slot)) return;
  const size_t s = static_cast<size_t>(slot);
  const int w = g.FleetTo[s] - 1, f = g.FleetFrom[s] - 1, o = g.FleetOwner[s];
  const size_t wi = static_cast<size_t>(w);
  const std::string& from = g.WorldName[static_cast<size_t>(f)];
  const std::string& to = g.WorldName[wi];
  const bool shown = OwnerShown(g, o);
  const bool bomb = g.FleetShips[s] >= kAnnihilationBomb;
  if (!bomb && g.FleetShips[s] == kScout) g.FleetShips[s] = 1;  // a scout home counts as one ship
  std::string notice;
  if (shown && !bomb) {
    const float n = g.FleetShips[s];
    notice = "-" + Str(n) + " Reinforcements From World " + from + " Arrived At World " + to + " -";
    LogTo(g, o - 1, notice);
    HistoryTo(g, o - 1, w,
              EventPrefix(g) + ":" + Str(n) + " Reinforcements From World " + from + " Arrived ");
  } else if (shown) {
    notice = "- A Bomb From World " + from + " Was Transferred To World " + to + " -";
    LogTo(g, o - 1, notice);
    HistoryTo(g, o - 1, w,
              EventPrefix(g) + ": A Bomb From World " + from + " Was Transferred To World " + to + " ");
  }
  Tell(g, ReinforcementsArrived{slot, shown, notice});

  if (!bomb)
    g.WorldShips[wi] += g.FleetShips[s];
  else
    g.WorldBombs[wi] = static_cast<int16_t>(g.WorldBombs[wi] < INT16_MAX ? g.WorldBombs[wi] + 1 : INT16_MAX);
  Tell(g, ReinforcementsJoined{slot, shown});
  DataClear(g, slot);
  Tell(g, ArrivalFinished{slot, shown});
}

void Scout(Game& g, int slot) {
  if (!SlotInPlay(g, slot)) return;
  const size_t s = static_cast<size_t>(slot);
  const int w = g.FleetTo[s] - 1, o = g.FleetOwner[s], p = o - 1;
  const size_t wi = static_cast<size_t>(w);
  LearnWorld(g, p, w);

  const bool shown = OwnerShown(g, o);
  std::string notice;
  if (shown) {
    const std::string shield = g.WorldShieldOn[wi] == 1 ? ",  Shield: On," : ",  Shield: Off,";
    std::string info = "Scout Info:  Prod:" + Str(static_cast<int>(g.WorldProduction[wi])) +
                       ",  Class:" + Str(static_cast<int>(g.WorldClass[wi])) + shield +
                       Str(static_cast<int>(g.WorldShield[wi])) + "%,  Ships:" + Str(g.WorldShips[wi]);
    if (g.WorldBombs[wi] > 0) info += ",  Bombs:" + Str(static_cast<int>(g.WorldBombs[wi]));
    notice = "- World " + g.WorldName[wi] + " " + info + " -";
    LogTo(g, p, notice);
    HistoryTo(g, p, w, EventPrefix(g) + ":  " + info + " ");
  }
  Tell(g, ScoutReported{slot, shown, notice});
  DataClear(g, slot);
  Tell(g, ArrivalFinished{slot, shown});
}

}  // namespace zarnath
