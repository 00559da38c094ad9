// The current player's side panes beside the galaxy view, as the window shows them: the table of
// own worlds under its header line, the list of own objects in flight, and the bomb, fuel and
// crystal indicators. Rebuilt from the game state alone on every call.
#pragma once

#include <string>
#include <vector>

namespace zarnath {
struct GameState;

// One row of a list box: its text and its item data.
struct ListRow {
  std::string text;
  int data = 0;
};

// The header line above the own-worlds table (74 characters).
inline constexpr char kOwnedHeader[] =
    "  World:              Class:         Prod:         Shield:    Ships/Bombs:";
// The in-transit list's row when nothing is in flight; its item data names no slot.
inline constexpr char kNothingInFlight[] = "None";
inline constexpr int kNoSlot = -1;

struct SideLists {
  bool human = false;              // the panes describe a human seat; a computer seat's stay empty
  std::string ownedHeader;         // txtOwned
  std::vector<ListRow> owned;      // lstOwned: own worlds in index order, item data = world
  std::vector<ListRow> travel;     // lstTravel: own slots in table order, item data = slot
  bool listsVisible = false;       // txtOwned, lstOwned and lstTravel
  bool indicatorsAllowed = false;  // a human seat while no turn is resolved or command runs
  bool bombVisible = false;        // ImgBomb and LblBomb
  std::string bombCaption;         // LblBomb: the bombs held on own worlds
  bool fuelVisible = false;        // ImgDouble: an own world with double-speed fuel or an armed pulse bomb
  bool crystalVisible = false;     // ImgCrystal: the Information Crystal is held
};

// Whole turns left for an object with `yearsLeft` to go (0 once it has arrived).
int TransitTurns(double yearsLeft);
// The own-worlds row of world w: name, class, production (with "-S" while the shield charges),
// shield percent and ships, each padded to its column, then one "D" for fuel, one "B" per bomb and
// one "P" per own planted proximity bomb. An excluded world's ships stand in brackets.
std::string OwnedWorldRow(const GameState& g, int world);
// The in-transit row of a used slot: what travels, where to and in how many turns, or ">" and its
// arrival once its time is up.
std::string TravelRow(const GameState& g, int slot);

// The panes of the current seat.
SideLists BuildSideLists(const GameState& g);
// Shows the panes in the window's state: the lists for a human seat, the indicators only while
// they are allowed (the turn preparation hides both until the next rebuild).
void ApplySideLists(GameState& g, const SideLists& panes);
// The row the end of a turn highlights in the in-transit list when an own object arrives: the first
// row, or none (-1) when the list is empty.
int FirstTravelRowChoice(const SideLists& panes);

}  // namespace zarnath
