// The world information panel: what the current player may know of one world, followed by the
// commands that apply to it, each command row carrying its code in the row's item data (row 0
// carries the world + 1). Its size in pixels and its place beside the world, towards the sun.
#pragma once

#include <string>
#include <vector>

#include "model/side_lists.h"

namespace zarnath {
struct GameState;

// Command codes of the panel's rows (0 = an inert row).
enum PanelCode : int {
  kPanelInert = 0,
  kPanelShield = 1,
  kPanelBombs = 2,
  kPanelDistancesFrom = 3,
  kPanelDistancesTo = 4,
  kPanelNearestShips = 5,  // gather to an own world, send to another
  kPanelGatherExclusion = 6,
  kPanelNearestScout = 7,
  kPanelNearestBomb = 8,
  kPanelHistory = 9,
  kPanelMark = 10,
};

// What the player knows of the world: its own, the crystal's view of an unowned world, another
// player's world never scouted, a scouted world, or the one public figure of an unowned world.
enum class PanelView { kOwn, kCrystal, kUnscouted, kScouted, kPublic };

inline constexpr int kPanelRowHeight = 14;

struct WorldPanel {
  PanelView view = PanelView::kOwn;
  std::vector<ListRow> rows;  // text and item data
  int width = 0;              // pixels
  int height = 0;
  double colour = 0;  // the text colour: the owner's
  double left = 0;    // pixels in the window
  double top = 0;
};

PanelView ChoosePanelView(const GameState& g, int world);
// The panel of world `world` (in play) for the current player, sized and placed.
WorldPanel BuildWorldPanel(const GameState& g, int world);

}  // namespace zarnath
