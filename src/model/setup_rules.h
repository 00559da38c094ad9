// The setup window's rules over the setup state: the player slots and their computer levels, the
// world count and what follows from it, the option bars and the truce group.
//
// A value set from code raises its control's handler at once, inside the setting call, exactly
// as a user's edit would: the Set... functions below change a value and, when it really changed,
// run its handler before they return. The window calls the same functions for the user's edits
// and then shows the state.
#pragma once

#include <array>
#include <string>

namespace zarnath {

class Game;
struct GameState;
struct SetupState;

// --- values set from code (each raises its handler when the value changes) ---
void SetName(Game& g, int slot, const std::string& text);  // txtPL(slot)
void SetComputerBox(Game& g, int slot, int value);         // chkAI(slot)
void SetLevelBar(Game& g, int slot, int level);            // HScrollAI(slot), held to 1..6
void SetWorldBar(Game& g, int worlds);                     // VScroll1, held to 9..30
void SetTruceBar(Game& g, int turn);                       // VScroll2, held to 10..50
void SetOptionBar(Game& g, int k, int value);              // VScrollOp(k), held to its range
// The shield and truce boxes answer whether they changed: a box that changes clicks (its handler,
// see TickShieldBox and TickTruceBox in engine/setup_load.h).
bool SetShieldBox(Game& g, int value);
void SetModeBox(Game& g, int value);
bool SetTruceBox(Game& g, int value);
void SetRadar(Game& g, int k);  // selects OptRadar(k), 0 On, 1 Off, 2 Unlimited

// --- the handlers ---
void chkAI_Click(Game& g, int slot);
void HScrollAI_Change(Game& g, int slot);
void txtPL_Change(Game& g, int slot);
// A key typed into a name box. Answers whether the key goes into the box ("*" and "_" never
// do); a key into slot 1 to 3 raises the world count to what the slot needs, swallowed or not.
bool txtPL_KeyPress(Game& g, int slot, int keyAscii);
void VScroll1_Change(Game& g);
void VScroll2_Change(Game& g);
void VScrollOp_Change(Game& g, int k);

// --- entry by the user ---
// The name a user's edit leaves in a name box, however it got there (typed, pasted, dropped):
// without "*" and "_", at most the name length. A locked box takes nothing, and a name that would
// be taken for a computer player's (its first five characters are those of one) is refused; the
// box keeps its old text. The window tells the refusal (engine/setup_load.h).
enum class NameEdit { kKept, kLocked, kComputerName };
NameEdit NameEdited(Game& g, int slot, const std::string& text);
// What the window says when a name is refused as a computer player's.
inline constexpr const char* kRefusedNameText =
    "That Name Belongs To A Computer Player!  Please Choose Another Name.";
// Text typed into an option box: only digits are kept; a number inside the option's range moves
// its bar. What lies outside the range is put back to the bar's value by SettleOptionTexts.
void OptionTyped(Game& g, int k, const std::string& text);
void SettleOptionTexts(Game& g);

// --- facts the window and the game read ---
std::string FilterName(const std::string& text, size_t limit);
// The name of a computer player that a name would be taken for, or empty.
std::string ComputerNameLike(const Game& g, const std::string& name);
// The computer level of a slot, always 1 to 6: the level box's number when it is one, else the
// level bar's.
int LevelOf(const SetupState& s, int slot);
int OptionMin(int k);
int OptionMax(const SetupState& s, int k);
size_t NameLimit(const SetupState& s);

// --- the window's life ---
// The window created afresh: every control at its first value.
void NewSetupWindow(Game& g);
// The load step's first part: no network game, the lobby status labels hidden, the player
// colours. The restore of "defaults.cfg" follows (see engine/setup_load.h).
void SetupLoadStart(Game& g);
// Applies what "defaults.cfg" held, line by line, as the user would have set it: the first name
// (a computer's name ends the restore; a computer in seat 0 keeps its name), the shield and mode
// boxes, the gather/scout turns.
void ApplyDefaults(Game& g, const SetupState& read);
// A game of computer players as the setup window makes it: a new window, the world count, then
// each seat's computer box ticked and its level bar set (a level 0 leaves the seat empty). The
// seats raise the world count to what they need and the count sets the treasures, as in the
// window.
void SetUpComputerGame(Game& g, const std::array<int, 4>& levels, int worlds);
// Closing the window: no seat held in the lobby, no network game unless one is in progress; the
// window gone. The lobby's connections and timers are closed first (engine/setup_load.h).
void SetupForm_Unload(GameState& g);

}  // namespace zarnath
