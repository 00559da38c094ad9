// The world names the Labels button puts beside each world in place of the ship labels: style,
// colour and place of each name label.
#pragma once

#include <string>
#include <vector>

namespace zarnath {
struct GameState;

struct WorldNameLabel {
  int world = -1;
  std::string caption;
  double colour = 0;
  bool italic = false;  // a home world of a seat in the game
  bool rightAligned = true;
  double left = 0, top = 0;  // pixels, once placed
};

// The label of world w before it is placed: right-aligned, bold, the owner's colour, italic for a
// home world of a named seat.
WorldNameLabel WorldNameLabelFor(const GameState& g, int world);
// Places a label of measured width `width` left of its world (16 px gap for an owned world, 20 for
// an owned home world, 14 for an unowned one), 7 px above the world's centre; a label that would
// start left of pixel 5 moves to the world's right and becomes left-aligned.
void PlaceWorldName(const GameState& g, WorldNameLabel& label, double width);

}  // namespace zarnath
