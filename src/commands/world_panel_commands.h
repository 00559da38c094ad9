// The world information panel's commands: a click on a row runs the command whose code the row
// carries, on the panel's world (shield, bombs, distances from and to, gathering and the nearest
// sends, exclusion from gathering, history, mark). Every command ends through one common exit
// that clears the selection and unlocks input, except the bombs command, which leaves the world
// selected for the bomb popup or hands it to the proximity-bomb dialog.
#pragma once

#include "commands/command_view.h"

namespace zarnath {
class Game;

// The panel's fixed rows that its commands rewrite.
inline constexpr int kPanelShieldRow = 7;
inline constexpr int kPanelMarkRow = 9;

// A click on row `row` of the panel of world `world` (the header row's item data less 1), whose
// item data is `code`. The header row, no row, a hidden panel or a world not in play do nothing.
CommandOutcome lstInfo_Click(Game& g, CommandView& view, int world, int row, int code);

}  // namespace zarnath
