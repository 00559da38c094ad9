// The game window's menu commands: the Options menu's switches, AutoSave, Pause, the new-game
// commands, Quit, and the window's resize as it pauses the turn clock. The window calls these and
// shows the game state they leave; what only the window can do (the save, load and high-score
// windows, the help viewer, the About box, drawing fleet paths, opening an address) it hands in as
// hooks.
#pragma once

#include <functional>
#include <string>

#include "engine/menu_state.h"
#include "model/menu_tree.h"

namespace zarnath {
class Game;
struct GameState;

// --- the Options menu's switches ---
// Each writes the other caption, puts its notice into the message line in the neutral colour,
// plays "gameinfo.wav" unless sound is (still) off, then changes what it switches.
void mnuOptionsSound_Click(Game& g);
void mnuOptionsSpeed_Click(Game& g);
void mnuOptionsLabels_Click(Game& g);
// Redraws the galaxy after the sound, both ways.
void mnuOptionsShips_Click(Game& g);
// In a network game only the message line's colour changes.
void mnuOptionsTurn_Click(Game& g);
// "Game Paused.  To Resume, Click OK" at one computer, with the turn clock held while the box is
// up; nothing in a network game.
void mnuOptionsPause_Click(Game& g);

// --- File ---
void mnuFileAutoSave_Click(Game& g);
// After a Yes to losing the game: at one computer the game is cleared and the setup window comes
// back (the turn clock and the computer's timer stopped); in a network game a new galaxy starts
// with the same players. True when the question was answered Yes.
bool mnuFileNew_Click(Game& g);
// After a Yes: a new galaxy with the same setup, in any kind of game.
bool mnuFileNewSS_Click(Game& g);
// "Are You Sure You Want To Quit?": Yes ends the program (true); No changes nothing.
bool ImgQuit_Click(Game& g);
// The window's close box asks the same; true when the window may close.
bool Form_QueryUnload(Game& g);

// --- the window ---
// The window was resized, minimised or restored. It is repainted and, once laid out, redrawn. At
// one computer minimising holds the turn clock and restoring lets it go on while the turn-timer
// option is on. True when open save and load dialogs are to be hidden (a network game was
// minimised); the window then lets pending events run.
bool Form_Resize(Game& g, bool minimised);
// The Help button: the help file, then in a network game the chat line takes the focus.
void ImgHelp_Click(Game& g, const std::function<void()>& showHelp);

// What only the window can do for a menu item.
struct MenuHooks {
  std::function<void()> showSaveDialog;
  std::function<void()> showLoadDialog;  // with its file-name box emptied
  std::function<void()> showHighScores;  // the stored table, nothing entered
  std::function<void()> showFleetPaths;  // every fleet of the current player, path and position
  std::function<void()> labelsButton;    // the Labels button's action
  std::function<void()> showHelp;        // the help file at its contents
  std::function<void()> showAbout;       // the About box, brought to the front, without waiting
  std::function<void(const std::string& address)> openAddress;
};

// Runs a menu item's command while its menu and the item are enabled (a shortcut of a locked menu
// does nothing). The status report and the travelling-fleets switch are the Status and Travel
// buttons' own operations. A hook that is not set is skipped.
void RunMenuCommand(Game& g, MenuCommand command, const MenuHooks& hooks);

}  // namespace zarnath
