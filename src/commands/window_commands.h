// The game window's reports and view switches: the status report, the two calculators (travel
// distance and ships needed), the Labels and Travel buttons and the game-log box's size. The
// window draws what these describe; the decisions, texts and timing are here.
#pragma once

#include <functional>

#include "model/travel_calc.h"

namespace zarnath {
class Game;

// The Status button (also the Information menu and a click on the sun): the report centred on the
// sun until something hides it. Nothing while the window is busy; false then.
bool ImgStatus_Click(Game& g);

// The travel-distance calculator for the selected pair: `draw` puts the plan's trails, marks and
// name labels on the view, which stands with the report for 3000 ms. A target the solver cannot
// reach is reported as such and nothing is drawn; without a source or a target, or while a panel
// command may not run, nothing is shown. Ends with the selection cleared, the window unlocked and
// redrawn and the side panes rebuilt (not when it did not run).
void mnuComCalc_Click(Game& g, const std::function<void(const TravelCalcPlan&)>& draw);

// The ships-needed report for the selected pair, for 3000 ms; ends as the calculator does.
void mnuComCalcShips_Click(Game& g);

// The Labels button: the world names beside the worlds (`showNames` places and shows them), or,
// while they are shown or the window is busy, the normal labels again through a full redraw.
void ImgLabels_Click(Game& g, bool namesShown, const std::function<void()>& showNames);

// The Travel button: travelling fleets hidden or shown again, with the menu caption and the notice
// that say so. Only the notice colour changes while the window is busy.
void ImgTravel_Click(Game& g);

// The game-log box: collapsed (the notice line above it) or expanded upwards over it.
struct LogBoxGeometry {
  int top = 0;
  int height = 17;
};
inline constexpr int kLogBoxCollapsed = 17;
inline constexpr int kLogBoxExpanded = 84;
inline constexpr int kLogBoxRise = 62;
void txtMove_Click(Game& g, LogBoxGeometry& box);

}  // namespace zarnath
