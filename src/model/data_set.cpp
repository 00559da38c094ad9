#include "model/data_set.h"

#include "model/game.h"

namespace zarnath {

void DataSet(GameState& g) {
  // Whatever waited on the game that was here finds another.
  ++g.GameNumber;
  g.GameInProgress = false;
  g.StateLeftPartWay = false;
  g.StateComing = false;
  for (int s = 0; s < kUsedFleetSlots; ++s) {
    g.FleetFrom[s] = g.FleetTo[s] = g.FleetOwner[s] = 0;
    g.FleetShips[s] = 0;
    g.FleetClass[s] = g.FleetShield[s] = 0;
    g.FleetTimeLeft[s] = 0;
    g.FleetTripTime[s] = g.FleetAngleParam[s] = 0;
    g.ServerRowIP[s].clear();
  }
  for (int w = 0; w < kMaxWorlds; ++w) {
    g.WorldAngle[w] = g.WorldRadius[w] = g.WorldAngularSpeed[w] = 0;
    g.WorldName[w].clear();
    g.WorldProduction[w] = g.WorldClass[w] = g.WorldOwner[w] = 0;
    g.WorldShield[w] = g.WorldShieldOn[w] = 0;
    g.WorldKnownStat[w] = 0;
    g.WorldShips[w] = 0;
    for (int p = 0; p < kSeats; ++p) g.WorldHistory[p][w].clear();
    g.WorldType[w] = g.WorldBombs[w] = 0;
    g.WorldNoGather[w] = false;
  }
  // The world labels go with the worlds; the next full redraw shows them again.
  g.window.WorldLabelsVisible = false;
  for (int b = 0; b < kUsedBombSlots; ++b) {
    g.ProxBombOwner[b] = 0;
    g.ProxBombWorld[b] = g.ProxBombThreshold[b] = 0;
  }
  for (int i = 0; i < 50; ++i) g.ServerExcluded[i].clear();
  for (int w = 0; w < kMaxWorlds; ++w)
    for (int k = 0; k < 5; ++k) {
      for (int p = 0; p < kSeats; ++p) g.ScoutInfo[p][k][w] = 0;
      g.WorldMarked[k][w] = false;
    }
  for (int p = 0; p < kSeats; ++p) {
    g.PlayerLog[p].clear();
    g.PlayerName[p].clear();
    g.HasCrystal[p] = 0;
    g.RadarSeen[p] = 0;
    g.PlayerGone[p] = false;
  }
}

}  // namespace zarnath
