#include "headless/last_worlds.h"

#include "model/game.h"

namespace zarnath {

void SetUpLastWorlds(GameState& g, int conqueror, int seats, int landing) {
  for (int w = 0; w < g.WorldCount; ++w) {
    g.WorldOwner[static_cast<size_t>(w)] = static_cast<uint8_t>(conqueror + 1);
    g.WorldShips[static_cast<size_t>(w)] = 40.0f;
  }
  for (int s = 0; s < kFleetSlots; ++s) {
    const size_t i = static_cast<size_t>(s);
    g.FleetFrom[i] = g.FleetTo[i] = g.FleetOwner[i] = 0;
    g.FleetShips[i] = 0.0f;
    g.FleetClass[i] = 0;
    g.FleetShield[i] = 0;
    g.FleetTimeLeft[i] = 0.0;
    g.FleetTripTime[i] = g.FleetAngleParam[i] = 0.0f;
  }
  g.ProxBombOwner.fill(0);
  g.ProxBombWorld.fill(0.0f);
  g.ProxBombThreshold.fill(0.0f);
  size_t slot = 0;
  const auto fly = [&](int owner, int from, int to, float ships, int turns) {
    const size_t i = slot++;
    g.FleetFrom[i] = static_cast<uint8_t>(from + 1);
    g.FleetTo[i] = static_cast<uint8_t>(to + 1);
    g.FleetOwner[i] = static_cast<uint8_t>(owner + 1);
    g.FleetShips[i] = ships;
    g.FleetClass[i] = 1;
    g.FleetTripTime[i] = 0.05f * static_cast<float>(turns + 3);
    g.FleetAngleParam[i] = 0.0f;
    g.FleetTimeLeft[i] = 0.05 * turns;
  };
  for (int loser = 0; loser < seats; ++loser) {
    if (loser == conqueror || g.PlayerName[static_cast<size_t>(loser)].empty()) continue;
    const int home = kHomeWorld0 + loser;
    g.WorldOwner[static_cast<size_t>(home)] = static_cast<uint8_t>(loser + 1);
    g.WorldShips[static_cast<size_t>(home)] = 0.0f;
    fly(conqueror, kHomeWorld0 + conqueror, home, 500.0f, 1);
    fly(loser, home, 0, 1.0f, landing);
  }
}

}  // namespace zarnath
