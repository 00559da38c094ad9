// Texts the game builds from its state in several places: the turn number, the start of a dated
// history entry, the game window's caption and the move-log box.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zarnath {
struct GameState;
enum class TurnStatus : uint8_t;

// The colours of the seats, as the turn's notice names them ("World Color Blue").
inline constexpr std::array<const char*, 4> kSeatColourNames = {"Blue", "Red", "Yellow", "Green"};

// The move-log box shows at most this many of the log's last characters.
inline constexpr size_t kMoveLogShown = 2000;

// The turn number (year 1.00 is turn 0); also the turn that intelligence is dated with.
int TurnOf(const GameState& g);
// "   Year 1.05, Turn #1": the start of a history or log entry, before its colon.
std::string EventPrefix(const GameState& g);
// "Zarnath - Year 1.05, Turn #1:  " + the name of the seat to move (seat 4's, empty, when none)
// + suffix.
std::string SeatCaption(const GameState& g, const std::string& suffix = "");
// A seat's status label: its name, a colon, two blanks and where it stands ("Bob:  Done Turn",
// "Cy:  Taking Turn", "Dee:  Eliminated", "Ann:  Disconnected"); empty for a seat without a status.
std::string StatusCaption(const GameState& g, int seat);
// The status a label's text gives seat `seat`: the seat's own name followed by one of the four
// endings. Nothing for any other text.
std::optional<TurnStatus> StatusOfCaption(const GameState& g, int seat, std::string_view caption);
// Each named seat takes its turn, a seat gone from the game shows it; an empty seat has no status.
void SetAllTakingTurn(GameState& g);
// The seat has finished the turn: done, gone from the game or out of it.
bool SeatFinished(const GameState& g, int seat);

// The move-log box's text for a log: its last `shown` characters, ending in CR LF.
std::string MoveLogBoxText(const std::string& log, size_t shown = kMoveLogShown);

}  // namespace zarnath
