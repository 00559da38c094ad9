// The pointer moving over the galaxy window: which world it names, whether it rests on a moving
// fleet, the panel and popup it leaves behind, the rubber band from the selected source, and now
// and then a news line. The rules decide and change the game state here; the window draws and
// hides its own controls as the answer says.
#pragma once

#include <string>

namespace zarnath {
class Game;
struct GameState;
class RandomSource;

// Where the window's own controls stand as the pointer finds them. Whether the world panel and
// the travel popup are shown is the game's (lstInfoVisible, lstMenuVisible).
struct PanelBox {
  double left = 0, top = 0, width = 0, height = 0;
};
struct HoverScene {
  PanelBox info;              // the world information panel's rectangle
  PanelBox menu;              // the travel options popup's rectangle
  std::string worldLabel0;    // world 0's label caption (its name while names are shown)
  std::string hoverCaption;   // the hover label's caption: the world it names already
  bool hoverVisible = false;  // the hover label is shown
};

inline constexpr double kBelowGalaxyY = 408;  // the pointer at or below this is off the view
inline constexpr double kPopupKeptHeight = 48;
inline constexpr double kInfoPanelHeight = 118;

// The rubber band from the selected source: rings about the source, and while no target is
// chosen a dot on it and a dotted line to the pointer or to the hovered world.
struct RubberBand {
  double sx = 0, sy = 0;    // the source's centre
  double colour = 0;        // the source owner's colour
  bool cleanFirst = false;  // the view redrawn without objects and labels first
  bool rings = false;       // radius 12 in `colour` (width 2); a named home world adds 14 white and 17
  bool homeRings = false;
  bool line = false;        // the dot(s) and the dotted line
  bool toWorld = false;     // the line ends on the hovered world (a dot there in its owner's colour)
  double tx = 0, ty = 0;    // the line's end
  double targetColour = 0;  // the hovered world's owner colour
  bool repaint = false;     // the window repainted after drawing
};

struct HoverOutcome {
  bool busy = false;      // input is locked: nothing was looked at
  int hovered = -1;       // the world under the pointer
  bool onFleet = false;   // resting on a moving fleet of the player: nothing changes
  bool hideInfo = false;  // the world panel closes (height 118, rows removed)
  bool hideMenu = false;  // the travel options popup closes
  bool hideHoverLabel = false;
  bool clearHoverCaption = false;
  bool resetPlanetColour = false;  // the announcement label's text colour back to neutral
  bool drawBand = false;
  RubberBand band;
  bool yieldAfterDrawing = false;  // pending events run once the band is drawn
  int showLabel = -1;              // the hover label placed and shown for this world
  bool hideFirstShipsLabel = false;
  std::string news;  // the news line written (empty: none)
};

// The world under pointer (x, y) as the pointer move finds it, -1 for none: within 8 px, inside
// 8 px while the world panel is up, inside 14 px while the travel popup is up.
int HoveredWorld(const GameState& g, double x, double y);

// The news line of one qualifying pointer move: one chance in 500, then treasures or a leader.
// Draws only from `cosmetic`; empty when there is no news.
std::string NewsRoll(const GameState& g, RandomSource& cosmetic);
// " There Are Still 3 World Treasures To Be Found!", or empty when none is left.
std::string TreasureNews(const GameState& g);
// The single leader in worlds (kind 1), ships (2) or travelling ships (3), or empty on a tie or
// when every value is 0.
std::string LeaderNews(const GameState& g, int kind);

// The pointer moved to (x, y) over the window's drawing area.
HoverOutcome Form_MouseMove(Game& g, const HoverScene& scene, double x, double y);

// Escape on the game window closes the travel options popup and the world panel as the pointer
// leaving them does: the popup's pair of worlds is dropped, the panel takes the announcement
// label with it. Nothing while input is busy; `hideInfo` and `hideMenu` say what closed.
HoverOutcome EscapeClosesPopups(Game& g);

}  // namespace zarnath
