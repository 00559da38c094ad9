// A seat's order to send an object from one world to another, as the window's commands, the
// computer player and the gathering give it.
#pragma once

#include "model/fleet_table.h"

namespace zarnath {
class Game;

// Launches the order for the seat to move: the one launch check (model/fleet_table.h, CheckLaunch),
// then into the table (LaunchIntoTable); a client tells its host at once. Anything the check
// refuses launches and charges nothing. A human seat's order (refused or not) ends with the table
// sorted, the selection cleared and the window redrawn; every order between two worlds in play
// yields once to pending events.
LaunchResult Launch(Game& g, const LaunchOrder& order);
// The same for a share code as the window's commands pass it, from the selected source to the
// selected target.
LaunchResult Sendships(Game& g, float code);

}  // namespace zarnath
