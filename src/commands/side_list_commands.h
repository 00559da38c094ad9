// The side lists as commands: a click on an owned world points it out on the map, a double click
// switches its shield charging; a click on an object in flight offers to recall it while it has
// not moved, and otherwise shows where it is on its way for two seconds. Also the world labels'
// presses: the left or middle button takes a world out of gathering or puts it back, the right
// button switches an own world's shield charging.
#pragma once

#include <string>

namespace zarnath {
class Game;
class CommandView;

// A click on the owned-worlds row whose item data is `world` (-1: no row selected).
void lstOwned_Click(Game& g, CommandView& view, int world);
// A double click on row `row` of the owned-worlds list (-1: none): the (row + 1)-th own world.
// Answers the world switched, or -1.
int lstOwned_DblClick(Game& g, CommandView& view, int row);

enum class TravelClick { kNothing, kRecalled, kShown };
// A click on the in-transit row whose item data is slot `slot` (-1: no row, or the row "None").
TravelClick lstTravel_Click(Game& g, CommandView& view, int slot);
// "[UNSEND] 00" + the slot's record + "*": a client's recall, sent before its own refund.
std::string RecallMessage(const Game& g, int slot);

// A press with `button` (1 left, 2 right, 4 middle) on the label with index `index`. Only the
// labels of worlds in play take presses (the hover label, index 30, is not a world). Answers
// whether the press was taken.
bool lblName_MouseDown(Game& g, CommandView& view, int index, int button);

}  // namespace zarnath
