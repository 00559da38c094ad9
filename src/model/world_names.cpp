#include "model/world_names.h"

#include "model/game.h"
#include "model/view_geometry.h"

namespace zarnath {

WorldNameLabel WorldNameLabelFor(const GameState& g, int w) {
  WorldNameLabel label;
  label.world = w;
  label.caption = g.WorldName[w];
  const int owner = g.WorldOwner[w];
  label.colour = g.PlayerColor[owner < kPlayerSlots ? owner : 0];
  label.italic = w >= kHomeWorld0 && w < kHomeWorld0 + kSeats && !g.PlayerName[w - kHomeWorld0].empty();
  return label;
}

void PlaceWorldName(const GameState& g, WorldNameLabel& label, double width) {
  const int w = label.world;
  const ViewPoint at = WorldPixel(g, w);
  const bool owned = g.WorldOwner[w] != 0, home = w >= kHomeWorld0 && w < kHomeWorld0 + kSeats;
  label.left = at.x - width - (!owned ? 14 : home ? 20 : 16);
  label.top = at.y - 7;
  label.rightAligned = true;
  if (label.left < 5) {
    label.rightAligned = false;
    label.left += width + (owned ? 32 : 28);
  }
}

}  // namespace zarnath
