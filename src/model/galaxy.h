// Generation of a new star system and placing of the seats in it.
#pragma once

namespace zarnath {
class Game;

// Ring radius and name of each world index 0..29.
float RingRadius(int world);
const char* WorldNameOf(int world);

// The worlds' values, rings, starting angles, orbital speeds and names.
void GenerateWorlds(Game& g);
// The seats on their home worlds, the computer players' head start, distinct names and the
// hidden treasures.
void PlaceSeats(Game& g);

}  // namespace zarnath
