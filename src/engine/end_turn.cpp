// The end-of-turn cycle.
#include "engine/event_audience.h"
#include "engine/events.h"
#include "engine/turn.h"
#include "engine/turn_show.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "model/game_texts.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

using namespace turn_event;

void FirePulseBombs(Game& g) {
  for (int w = kHomeWorld0; w < kHomeWorld0 + kSeats; ++w) {
    if (w >= g.WorldCount) break;
    const int16_t type = g.WorldType[static_cast<size_t>(w)];
    if (g.PlayerName[static_cast<size_t>(w - kHomeWorld0)].empty() ||
        (type != kTypeArmedPulse && type != kTypeArmedPulseFuel))
      continue;
    Tell(g, PulseBombDue{w});
    const auto before = g.FleetFrom;
    PulseBomb(g, w);
    // The clients learn the host's hits: every slot the bomb freed, as it now stands.
    for (int j = 0; j < kUsedFleetSlots; ++j)
      if (before[static_cast<size_t>(j)] != g.FleetFrom[static_cast<size_t>(j)]) Tell(g, SlotChanged{j});
    Tell(g, StepEnded{});
  }
}

// Each object in flight passes the proximity bombs of other owners, is told to the clients as it
// now stands and, when its time is up, arrives.
void MoveAndLand(Game& g) {
  for (int j = 0; j < kUsedFleetSlots; ++j) {
    const size_t s = static_cast<size_t>(j);
    if (g.FleetFrom[s] == 0) continue;
    for (int k = 0; k < kUsedBombSlots; ++k) {
      const int16_t bombOwner = g.ProxBombOwner[static_cast<size_t>(k)];
      if (bombOwner <= 0 || g.FleetOwner[s] == 0 || g.FleetOwner[s] == bombOwner) continue;
      if (!ProximityFires(g, j, k)) continue;
      Tell(g, ProximityBombDue{j, k});
      Proximity(g, j, k);
      Tell(g, StepHeld{});
    }
    if (g.NetworkGame) Tell(g, SlotChanged{j});
    if (g.FleetFrom[s] > 0 && g.FleetTimeLeft[s] <= 0) {
      Tell(g, ArrivalDue{j});
      EndTravel(g, j);
      Tell(g, StepHeld{});
    }
  }
}

// AutoSave is on while its menu item is checked: from the year it was switched on (or the last
// autosave), the next offer comes half a year later.
bool AutoSaveDue(const GameState& g) {
  const bool on = g.AutoSaveYear > 1.0f || (g.AutoSaveYear == 1.0f && g.AutoSaveOn);
  return on && static_cast<double>(g.GameYear) - 0.5 >= g.AutoSaveYear;
}

}  // namespace

void TravelShow(Game& g) {
  Tell(g, StepStaged{});
}

void TurnTheYear(Game& g) {
  Tell(g, YearEnding{});
  g.GameYear += 0.05f;
  GalaxyRotate(g);
}

void ApplyProduction(Game& g) {
  const int turn = TurnOf(g);
  for (int w = 0; w < g.WorldCount; ++w) {
    const size_t i = static_cast<size_t>(w);
    if (g.WorldShield[i] >= 100) {
      g.WorldShieldOn[i] = 0;
    } else if (g.WorldOwner[i] == 0 && g.WorldShips[i] > turn) {
      g.WorldShieldOn[i] = Int(static_cast<double>(g.random.Next()) * 100.0) > 80 ? 1 : 0;
    }
    if (g.WorldShieldOn[i] != 0) {
      int shield = g.WorldShield[i] + g.WorldProduction[i];
      if (shield > 100) {
        g.WorldShips[i] += static_cast<float>(shield - 100);
        shield = 100;
        g.WorldShieldOn[i] = 0;
      }
      g.WorldShield[i] = static_cast<uint8_t>(shield);
    } else {
      g.WorldShips[i] += g.WorldProduction[i];
    }
  }
}

void EndTurn(Game& g) {
  g.InputBusy = true;
  g.TurnResolving = true;
  SetMenusEnabled(g, false);
  g.window.txtMove.Busy = true;
  if (!IsHostOrSingle(g)) {
    // A client waits for the host's resolution with the window locked.
    Tell(g, ResolutionAwaited{});
    return;
  }

  SortFleets(g);
  if (!g.NetworkGame) g.CurrentPlayer = 0;
  Tell(g, ResolutionBegan{});
  FirePulseBombs(g);
  g.window.SideListsVisible = false;

  TurnTheYear(g);
  ApplyProduction(g);
  Tell(g, WorldsProduced{});

  MoveAndLand(g);
  Tell(g, ResolutionEnded{});

  SetMenusEnabled(g, true);
  g.window.txtMove.Busy = false;
  g.TurnResolving = false;
  // A conquest ends the game inside the next-player step: nothing of it is left to finish.
  if (!GameCheck(g)) return;
  Tell(g, MoveLogShown{true});

  if (AutoSaveDue(g)) {
    g.AutoSaveYear = g.GameYear;
    g.io.flow.OfferAutoSave();
  }
  g.InputBusy = false;
}

void ClientTravelHide(Game& g) {
  Tell(g, ResolutionEnded{});
  g.TurnDone = false;
  // A turn the host ended while its new state goes out: its records are played, and the rest
  // of the state follows them. Nothing opens on half a game: the window stays locked until the
  // state's [SHOW] opens it as a start does. A seat with no world has finished the turn the host
  // opens meanwhile (the host counts it done), so the host may end that one too before its
  // [SHOW]; a seat in play has not, and is done again only by its own Done once the game opens.
  if (g.StateComing) {
    g.TurnDone = OwnSeatHoldsNoWorld(g);
    return;
  }
  g.InputBusy = false;
  g.TurnResolving = false;
  SetMenusEnabled(g, true);
  g.window.txtMove.Busy = false;
  if (!GameCheck(g)) return;
  Tell(g, MoveLogShown{false});
}

}  // namespace zarnath
