// The steps of a turn's resolution: arrivals, reinforcements, scouting, proximity bombs and
// pulse bombs. The host (or the single machine) runs them from the end-of-turn cycle; a network
// client runs the same step when the host's frame for it arrives. Each step changes the game's
// records and tells what happened (model/turn_events.h); the show and the broadcast act on it.
#pragma once

#include "model/turn_events.h"

namespace zarnath {
class Game;
struct GameState;

// Resolves the arrival in a travel slot (0..99): reinforcement, proximity bomb, scout report,
// annihilation bomb or battle, telling the network clients first.
void EndTravel(Game& g, int slot);
// An arrival of a kind that needs no dice, on the host and on a client alike: told, resolved, and
// a scout's freed slot told again (only its owner saw the report).
void ResolveArrival(Game& g, int slot, turn_event::ArrivalKind kind);
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

}  // namespace zarnath
