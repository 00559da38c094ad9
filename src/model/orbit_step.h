#pragma once

namespace zarnath {
class Game;
struct GameState;

// Moves the star system on by one turn: 26 ticks, in each of which every world turns by its
// angular speed and every object in flight comes 1/520 year nearer. Shows each tick for 50 ms
// unless the speed game is on (then the view is drawn once at the end), then puts the year into
// the caption and the human players' logs. Callers advance the year first.
void GalaxyRotate(Game& g);

// Whether a tick of the orbit animation draws the object in a used travel slot: never while
// travelling fleets are hidden; otherwise one's own objects in a network game, a human seat's
// objects (or any that has arrived) at one computer, and every object with unlimited radar.
bool OrbitTickShowsObject(const GameState& g, int slot);
// Whether a tick of the orbit animation marks the destination of the object in a used travel
// slot: a human seat's objects, at one computer only when it is the only human seat, in a
// network game only one's own; never while travelling fleets are hidden.
bool OrbitTickShowsDestination(const GameState& g, int slot);

}  // namespace zarnath
