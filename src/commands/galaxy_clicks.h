// A mouse press on the galaxy view: what lies under the pointer, acted on by button, by the
// selection and by the turn state. Without a source: the sun opens the status report, an own world
// with ships or bombs becomes the source, an own empty world gets a notice, another world its
// history, a middle press on an own world the travel distances from it, a right press a world's
// information panel, a press on an own moving object its path, on an own planted bomb its
// threshold, on empty space the lists lose their selection. With a source: a target opens the
// travel options popup, the source itself its bomb commands, anything else cancels; an attack on
// another player's world during a battle truce is refused with a notice.
#pragma once

#include <functional>
#include <string>

#include "commands/command_view.h"

namespace zarnath {
class Game;
class ProximityDialog;
struct TravelCalcPlan;

// The window acts on the outcome with the game's own operations: the status report, the world
// panel and history builders, the proximity-bomb dialog opened for the world, the popup shown as
// built; and a popup row's code runs the Command menu's operation of the same meaning.
// The press at pixel (x, y) of the window with `button` (1 left, 2 right, 4 middle). The window
// collapses an expanded game-log box before it calls this. Nothing happens while input is busy.
CommandOutcome Form_MouseDown(Game& g, CommandView& view, int button, double x, double y);

// Runs the command of a popup row's code (1 to 11): the calculators, the send commands, the
// proximity and pulse bombs. The window passes the game's commands.
using MenuCommandRunner = std::function<void(Game&, int code)>;
// A click on row `row` of the travel options popup: an inert row (code 0), no row or a hidden
// popup do nothing and leave the popup; otherwise the popup is hidden and the row's command runs
// with input locked and the hourglass shown. Answers the code run (0 for none).
int lstMenu_Click(Game& g, const TravelPopup& popup, int row, const MenuCommandRunner& run);
// The game's commands for the popup's codes: the travel-distance calculator (drawn by
// `drawCalc`), the ships-needed report, the sends, the proximity-bomb dialog and the pulse bomb.
MenuCommandRunner GameMenuCommands(ProximityDialog& dialog,
                                   std::function<void(const TravelCalcPlan&)> drawCalc);

// The travel distances from world w to every other world (to w from every other world when
// `towards`), in whole turns, as labels beside the worlds under a centred header. The world
// panel's displays (`fromPanel`) name their world in its owner's colour and keep world 0's label
// left of the centre; a press on the map names it in the seat's colour.
DistanceLabels PlanDistances(Game& g, int w, bool towards, bool fromPanel);
// The display itself: the view cleaned, the header shown, the labels placed and shown.
void ShowDistances(Game& g, CommandView& view, int w, bool towards, bool fromPanel);

// The proximity-bomb dialog's preset for world w: the count box's text and the bar's value.
std::string ProximityCountText(const GameState& g, int w, bool withBlank);
int ProximityBarValue(const GameState& g, int w);

}  // namespace zarnath
