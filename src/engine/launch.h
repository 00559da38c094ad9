// A seat's order to send an object from the selected source to the selected target, as the
// window's commands and the computer player give it.
#pragma once

#include "model/fleet_table.h"

namespace zarnath {
class Game;

// Launches into the table (model/fleet_table.h, LaunchIntoTable); a client tells its host at
// once. A human seat's order (refused or not) ends with the table sorted, the selection cleared
// and the window redrawn; every order that got past the selection check yields once to pending
// events.
LaunchResult Launch(Game& g, const LaunchOrder& order);
// The same for a share code as the window's commands pass it.
LaunchResult Sendships(Game& g, float percent);

}  // namespace zarnath
