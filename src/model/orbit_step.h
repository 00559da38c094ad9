#pragma once

namespace zarnath {
class Game;

// Moves the star system on by one turn: 26 ticks, in each of which every world turns by its
// angular speed and every object in flight comes 1/520 year nearer. Shows each tick for 50 ms
// unless the speed game is on, then puts the year into the caption and the players' logs.
// Callers advance the year first.
void GalaxyRotate(Game& g);

}  // namespace zarnath
