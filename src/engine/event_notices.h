// How the events of a turn are shown: which machine shows an event, the notice in the owner's
// colour, the log and history entries, the sounds, the map positions of worlds, and the sends
// of the network host. Shared by every operation of the turn engine.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "model/game_texts.h"
#include "model/view_geometry.h"

namespace zarnath {
class Game;
struct GameState;

// Whether a status caption ends in the given word ("Eliminated", "Done Turn", ...).
bool CaptionEndsWith(std::string_view caption, std::string_view ending);

// The owner test: an event of owner code o is shown here when the owner plays at this machine
// (a network game) or is a human seat of this machine (one computer).
bool OwnerShown(const GameState& g, int ownerCode);
// The side-list test: Console runs after a shown event in a network game, or when only one
// human plays at this computer.
bool SideListsFollowEvents(const GameState& g);
// The human seats of this game: named and not a computer player.
bool IsNamedHuman(const GameState& g, int seat);

// A player's name by owner code ("" for nobody or a code out of range).
const std::string& OwnerName(const GameState& g, int ownerCode);
// A player's colour by owner code (the neutral colour for a code out of range).
double OwnerColour(const GameState& g, int ownerCode);

// The notice line: text colour, text and an immediate repaint.
void ShowNotice(Game& g, double colour, const std::string& text);
void ClearNotice(Game& g);
// Ends an arrival: frees its slot and, when the event was shown here, brings the side lists and
// the view up to date; then clears the notice.
void FinishArrival(Game& g, int slot, bool shown);
// An entry at the end of player p's log (CR LF, then the text).
void LogTo(GameState& g, int seat, const std::string& text);
// The current notice into the log of every human seat.
void LogToHumans(GameState& g, const std::string& text);
// An entry in front of player p's history of world w (the line, then CR LF, then the old text).
void HistoryTo(GameState& g, int seat, int world, const std::string& line);

// An event sound: silent in a speed game and with sounds off.
void EventSound(Game& g, const char* file);

// CInt: the nearest integer, halves to even, held in 32 bits (saturated).
int32_t RoundToInt32(double value);
// The same, saturated into a 16-bit field.
int16_t RoundToInt16(double value);
// Player p learns world w's figures as the world now stands, dated this turn.
void LearnWorld(GameState& g, int p, int w);
// The move-log box shows the current seat's whole log, ending in a line break.
void ShowMoveLog(Game& g);

// Whether a travel slot index names a used slot whose worlds are in play.
bool SlotInPlay(const GameState& g, int slot);
// Whether this machine is the network host.
bool IsNetworkHost(const GameState& g);

// The one sender of the game protocol. On the network host: the frame to every connected client
// (or only to client `only` when it is 1 to 3); on any other machine: to the host when linked
// to one (never with `only`). Each send is followed by a yield unless the pace is quiet.
enum class SendPace { kYield, kQuiet };
void NetSend(Game& g, const std::string& message, SendPace pace = SendPace::kYield, int only = 0);

// Whether connection `element` (1..3) of the host is linked and holds a seat: in the lobby it
// passed the seat test, in a game its seat has a player. Only these take the host's frames and
// count at the end of a turn.
bool SeatLinked(Game& g, int element);

// Whether this game is a network host, for the senders below.
bool SendsToClients(const Game& g);
// A client's frame to the host.
inline void SendToHost(Game& g, const std::string& message) {
  if (!SendsToClients(g)) NetSend(g, message);
}
// The host's frame to every connected client (a single machine and a client send nothing).
inline void HostSend(Game& g, const std::string& message) {
  if (SendsToClients(g)) NetSend(g, message);
}
// The same without the yields.
inline void HostSendQuiet(Game& g, const std::string& message) {
  if (SendsToClients(g)) NetSend(g, message, SendPace::kQuiet);
}
// Several messages to each connected client in turn (all to one client before the next), each
// send followed by a yield.
void HostSendEach(Game& g, const std::string& first, const std::string& second);

// The same with messages that are built only on a network host: a game without clients does not
// format frames it would throw away.
template <typename Make>
requires std::is_invocable_r_v<std::string, Make>
void HostSend(Game& g, Make&& make) {
  if (SendsToClients(g)) HostSend(g, std::string(make()));
}
template <typename MakeFirst, typename MakeSecond>
requires std::is_invocable_r_v<std::string, MakeFirst> && std::is_invocable_r_v<std::string, MakeSecond>
void HostSendEach(Game& g, MakeFirst&& first, MakeSecond&& second) {
  if (SendsToClients(g)) HostSendEach(g, std::string(first()), std::string(second()));
}

// A centred announcement over the sun (its caption framed by line breaks) shown at once, and hidden.
void ShowCentredReport(Game& g, const std::string& caption);
void HideCentredReport(Game& g);

}  // namespace zarnath
