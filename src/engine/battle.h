// Battles: a fleet that arrives at a world it does not own fights the world's ships shot by
// shot, shown live on the battle panel, and the outcome decides the world's owner, ships,
// shield and treasures. The host (or the single machine) rolls every die; a network client
// replays the host's messages through the same operations.
#pragma once

#include <cstdint>

namespace zarnath {
class Game;
struct GameState;

// Runs the whole battle of a travel slot on the host or the single machine: rolls the accuracies,
// sets it up, fires shot after shot and decides it.
void Battle(Game& g, int slot);
// Prepares the battle state from the accuracies in the game (rolled by the host, or received from
// it) and tells the battle's start.
void BattleSetup(Game& g, int slot);
// One hit of the attacker on the defender, and of the defender on the attacker.
void FromHit(Game& g, int slot);
void ToHit(Game& g, int slot);
// A hit of side `side` (1 the attacker, 2 the defender) is told, then lands.
void LandHit(Game& g, int slot, int side);
// The battle is decided for side `side`: told, applied (BattleDone), and a step ended.
void DecideBattle(Game& g, int slot, int side);
// Applies the winner in BattleSide: owner, ships, shield, treasures, logs, intelligence.
void BattleDone(Game& g, int slot);

// The hit chance of a side of class c (1..5): 60 + 5 (c - 1) up to 99, drawn from the game's
// random source. Always two digits.
uint8_t DrawAccuracy(Game& g, int shipClass);
// Milliseconds before each shot: 300 for a world without ships or a fleet of up to 9 ships,
// otherwise 3000 / fleet ships + 2 / world ships.
float ShotDelay(float worldShips, float fleetShips);
// Where the strength bar's two colours meet (x pixel between 280 and 735); an empty or negative
// side counts as no ships, and two empty sides meet in the middle.
double StrengthBarSplit(int32_t attackerShips, int32_t defenderShips);

}  // namespace zarnath
