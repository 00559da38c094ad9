// The setup window in an internet game: what the internet box does to the window when it is
// ticked (the lobby's set-up) and cleared (back to the local set-up), the server table's rows
// and their exclusion, the join from a row of the table, and the host's republishing. The
// transfers themselves (the shared clock, the day's list) run in zarnath_net, which calls these
// rules around them.
#pragma once

#include <string>

namespace zarnath {

class Game;
struct ServerTable;

// The tall internet lobby: the window grows by this many pixels and, when it can, moves up by
// half of it, so that it stays where the short window stood.
inline constexpr int kLobbyGrowth = 168;
inline constexpr int kLobbyShift = 84;

// The master server cannot be reached and "servers.cfg" names its status page: the player is asked
// whether to look at it.
inline constexpr char kMasterUnreachableText[] =
    "Problem Connecting To Master Server\r\nWould You Like To Check The Status?";

// The box was ticked: a name and a human in seat 0 are needed. On a refusal the message is
// shown, the box is cleared (which leaves online mode), the focus goes to the first name box,
// and the answer is false.
bool OnlineBoxAllowed(Game& g);

// Every run of the box's handler that finds the box clear, or this machine not hosting, first
// puts the local controls back and closes every connection.
void OnlineReset(Game& g);

// The box is ticked and the host or join option chosen: the tall lobby with the server table,
// the LAN box cleared, the address box disabled, at least 10 worlds, the first name fixed; with
// no connection yet the other seats are emptied and locked, no seat is a computer and Start waits
// for a client.
void OnlineLobbySetUp(Game& g);

// The box was cleared: the reset, then the compact local set-up with Start, free seats, the
// options disabled again and the host option given up.
void LeaveOnlineMode(Game& g);

// A list of the day's servers was read: a joining player's refresh runs again in a minute, and
// the table shows it (with "gameinfo.wav" unless it is only the notice that none was found).
// While a join is under way the list is not shown.
void ShowServerList(Game& g, const ServerTable& table);

// Puts the key of table row `row` (or of the last row) into the exclusion list; a row that is
// not in the table, or a full list, records nothing.
void ExcludeTableRow(Game& g, int row);
void ExcludeLastTableRow(Game& g);

// A row of the table was chosen to join (its address is in the address box): the options and
// the table are fixed, the join time-out armed, the lobby's status shown, and the connection
// started.
void ServerTableJoin(Game& g);

// The host's republishing tick, once a minute: every fifth one announces the game again.
void tmrServer_Timer(Game& g);
// The joining player's list refresh, once a minute.
void tmrConnect_Timer(Game& g);

}  // namespace zarnath
