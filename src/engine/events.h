// The events of a turn's resolution: arrivals, reinforcements, scouting, proximity bombs and
// pulse bombs. The host (or the single machine) runs them from the end-of-turn cycle; a network
// client runs the same operation when the host's message for it arrives.
#pragma once

namespace zarnath {
class Game;
struct GameState;

// Resolves the arrival in a travel slot (0..99): reinforcement, proximity bomb, scout report,
// annihilation bomb or battle, telling the network clients first.
void EndTravel(Game& g, int slot);
// Ships, a returning scout (one ship) or an annihilation bomb arriving at a world of its owner.
void Reinforcements(Game& g, int slot);
// A scout at a foreign world: its owner learns the world's figures; the owner's screen shows
// the report.
void Scout(Game& g, int slot);
// Plants the arriving proximity bomb of a travel slot on its destination world.
void ProximitySet(Game& g, int slot);
// Proximity bomb `prox` destroys the object in travel slot `slot`.
void Proximity(Game& g, int slot, int prox);
// The pulse bomb armed on home world `world` (8..11) goes off.
void PulseBomb(Game& g, int world);

// Whether proximity bomb k sets off the object in travel slot j during the turn just moved:
// the object is sampled at eleven points of the turn and must come within 20 orbit units of the
// bomb's world carrying at least the threshold (any bomb in flight sets it off). The owners
// are not compared here.
bool ProximityFires(const GameState& g, int j, int k);

// Whether an object in flight lies within reach of a pulse bomb on `world`: 80 orbit units from
// the world, measured on the object's path where it stands now.
bool WithinPulseReach(const GameState& g, int slot, int world);

// The ring animations at the destination world of a travel slot: three rings growing outward in
// the arriving owner's and the world owner's colours, and two shrinking back. 100 ms a frame
// unless the speed game is on.
void WorldUp(Game& g, int slot);
void WorldDown(Game& g, int slot);

}  // namespace zarnath
