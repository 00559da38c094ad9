// The outcome of a battle or of an annihilation bomb at a foreign world.
#include <algorithm>

#include "engine/battle.h"
#include "engine/event_audience.h"
#include "engine/event_notices.h"
#include "engine/turn_show.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

using namespace turn_event;

// A notice of the battle for every human's log and history.
void LogForHumans(Game& g, int w, const std::string& notice, const std::string& historyText) {
  LogToHumans(g, notice);
  for (int p = 0; p < kSeats; ++p)
    if (IsNamedHuman(g, p)) HistoryTo(g, p, w, EventPrefix(g) + historyText);
}

// A find on a captured world, shown (and logged) only where the finder plays.
void Found(Game& g, int slot, bool shown, int finder, int w, const std::string& notice,
           const std::string& historyText) {
  Tell(g, TreasureFound{slot, shown, notice});
  if (!shown) return;
  LogTo(g, finder, notice);
  HistoryTo(g, finder, w, EventPrefix(g) + historyText);
}

uint8_t ShieldPoints(int32_t value) {
  return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

void TakeOver(Game& g, int slot) {
  const size_t s = static_cast<size_t>(slot);
  const int a = g.FleetOwner[s], w = g.FleetTo[s] - 1;
  const size_t wi = static_cast<size_t>(w);
  const std::string& winner = OwnerName(g, a);
  const std::string& world = g.WorldName[wi];

  if (g.FleetShips[s] == kAnnihilationBomb) {
    const std::string notice = "- " + winner + " Took Over World " + world + " With An Annihilation Bomb -";
    Tell(g, WorldFell{slot, notice});
    LogForHumans(g, w, notice, ": " + winner + " Took Over World " + world + " With An Annihilation Bomb ");
    g.WorldShips[wi] = 0;
    g.WorldShield[wi] = 0;
    Tell(g, AnnihilationBombLanded{slot});
  } else {
    const int32_t left = g.BattleData[g.BattleSide][battle_data::kShipsLeft];
    const std::string notice =
        "- " + winner + " Took Over World " + world + " With" + Str(left) + " Ships Left -";
    Tell(g, WorldFell{slot, notice});
    LogForHumans(g, w, notice,
                 ": " + winner + " Took Over World " + world + " With" + Str(left) + " Ships Left ");
    g.WorldShips[wi] = static_cast<float>(left);
    g.WorldShield[wi] = ShieldPoints(g.BattleData[g.BattleSide][battle_data::kShield]);
  }

  if (g.WorldOwner[wi] > 0) LearnWorld(g, g.WorldOwner[wi] - 1, w);
  g.WorldOwner[wi] = static_cast<uint8_t>(a);
  g.WorldShieldOn[wi] = 0;
  g.WorldNoGather[wi] = false;
  if (a >= 1 && a <= kSeats) g.WorldMarked[static_cast<size_t>(a - 1)][wi] = false;
  Tell(g, BattleSettled{slot, true});

  const bool finderHere = OwnerShown(g, a);  // the finder's own machine, or a human finder here
  const int finder = a - 1;
  const int bombs = g.WorldBombs[wi];
  if (bombs > 0)
    Found(g, slot, finderHere, finder, w,
          bombs > 1 ? "-" + Str(bombs) + " Bombs Were Found On World! -" : "- A Bomb Was Found On World! -",
          ":" + Str(bombs) + " Bombs Were Found On World!");

  const int code = g.WorldType[wi];
  if (code <= 0) return;
  switch (code) {
    case kTypeBomb:
      g.WorldBombs[wi] = static_cast<int16_t>(std::min(g.WorldBombs[wi] + 1, 32767));
      g.WorldType[wi] = kTypeNothing;
      Found(g, slot, finderHere, finder, w, "- A Bomb Was Found In A Secret Hangar! -",
            ": Extra Bomb Found In Secret Hangar! ");
      break;
    case kTypeFuel:
      Found(g, slot, finderHere, finder, w, "- Double Speed Fuel Was Found On World! -",
            ": Double Speed Fuel Found On World! ");
      break;
    case kTypeCrystal:
      if (finder >= 0 && finder < kSeats) g.HasCrystal[static_cast<size_t>(finder)] = 1;
      g.WorldType[wi] = kTypeNothing;
      Found(g, slot, finderHere, finder, w, "- An Information Crystal Was Found On World! -",
            ": Information Crystal Found On World!");
      break;
    default:
      g.WorldShips[wi] += static_cast<float>(code);
      Found(g, slot, finderHere, finder, w, "-" + Str(code) + " Ships Were Found In A Secret Hangar! -",
            ":" + Str(code) + " Ships Found In Secret Hangar! ");
      g.WorldType[wi] = kTypeNothing;
      break;
  }
  Tell(g, TreasuresCounted{slot});
}

void Held(Game& g, int slot) {
  const size_t s = static_cast<size_t>(slot);
  const int a = g.FleetOwner[s], w = g.FleetTo[s] - 1;
  const size_t wi = static_cast<size_t>(w);
  const int owner = g.WorldOwner[wi];
  const int32_t left = g.BattleData[g.BattleSide][battle_data::kShipsLeft];
  const std::string& world = g.WorldName[wi];
  const std::string attack = " Fought Off" + Str(g.FleetShips[s]) + " Ships From " + OwnerName(g, a);
  const std::string notice = owner > 0 ? "- " + OwnerName(g, owner) + " World " + world + attack + " -"
                                       : "- World " + world + attack + ", " + Str(left) + " Ships Left -";
  Tell(g, WorldHeld{slot, notice});
  LogForHumans(g, w, notice, ": " + attack + ", " + Str(left) + " Ships Left ");
  g.WorldShips[wi] = static_cast<float>(left);
  g.WorldShield[wi] = ShieldPoints(g.BattleData[g.BattleSide][battle_data::kShield]);
  LearnWorld(g, a - 1, w);
  Tell(g, BattleSettled{slot, false});
}

}  // namespace

void BattleDone(Game& g, int slot) {
  if (!SlotInPlay(g, slot) || (g.BattleSide != 1 && g.BattleSide != 2)) return;
  if (g.BattleSide == 1)
    TakeOver(g, slot);
  else
    Held(g, slot);

  Tell(g, BattleEnding{slot});
  DataClear(g, slot);
  Tell(g, BattleEnded{slot});
}

}  // namespace zarnath
