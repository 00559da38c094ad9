// The LAN lobby of the setup window: the network boxes, hosting (seat test, roster, the full
// lobby's countdown), joining (the time-out), lobby chat, removing a player and the loss of a
// connection in the lobby and in a game. Every rule works on the setup state and the game; the
// setup window shows the result.
#pragma once

#include <string>
#include <string_view>

namespace zarnath {
class Game;
struct SetupState;

// --- facts ---
// Seat n (1..3) needs at least n + 9 worlds.
bool SeatFits(int worlds, int seat);
// The world count the lobby's seat test reads: the world-count box's number.
int LobbyWorlds(const Game& g);
// How client `receiver` (1..3) numbers seat `seat` in a [NAME] frame: itself 00, the host 01,
// the two other clients 02 and 03 in ascending order.
int ViewIndex(int receiver, int seat);
// The chat entry's text broken for the chat box: lines of at most 60 characters, broken after
// the last blank that fits (or hard after 60), each break CR LF and a tab.
std::string WrapChat(std::string text);

// --- the network boxes ---
// The LAN box's handler, after its value changed.
void chkLan_Click(Game& g);

// Hosting an internet game from a private address (one starting "192.168" or "10.0") while the
// LAN box is clear asks this question first; on Yes the game becomes a network (LAN) game.
inline constexpr char kSwitchToLanQuestion[] =
    "Only People On Your Network Will Be Able To Connect To You, Switch to Network Game?";
inline constexpr char kSwitchToLanTitle[] = "Zarnath Online Game";
bool AsksToSwitchToLan(const SetupState& s, std::string_view address);
// Leaves network play: the window back to one-computer play, every connection closed at once.
void NetworkOffReset(Game& g);
// The host (0) or join (1) option's handler, after the choice changed.
void OptServerClient_Click(Game& g, int index);
// Which keys the address box takes: digits, ".", control codes; Enter is handled apart.
bool AddressKeyPasses(int keyAscii);

// --- starting ---
// The Start button: a name is needed first; a LAN client joins the host in its address box,
// exactly as Enter in that box does; anything else starts a new game (engine/game_start.h).
void imgStart_Click(Game& g);

// --- joining ---
// The joining player's hand-over to the host in the address box or the server table: the join
// time-out armed, the name and the options locked, the connection started.
void HandOverToHost(Game& g);
// Enter in the address box (or Start in LAN join mode): connect to the address typed.
void JoinHost(Game& g);
// The 15-second join time-out.
void tmrClient_Timer(Game& g);

// --- hosting ---
// The full lobby's countdown has run out: the game starts.
void tmrStart_Timer(Game& g);
// A new connection has this long to name itself before the host closes it; its silence is
// counted in ticks of the name wait.
inline constexpr int kNameWaitMs = 15000;
inline constexpr int kNameWaitTickMs = 1000;
// A tick of the name wait: connections silent for the whole wait are closed.
void tmrNameWait_Timer(Game& g);

// --- connections (called by the receiver) ---
// A connection on socket `seat`: in the lobby it waits for its name, in a game it is refused.
void HostConnectionOpened(Game& g, int seat);
// A client's own [NAME] on socket `seat`. The first one seats it when the seat test passes (the
// roster to it, its name to the others, the full lobby's countdown); later ones rename a seated
// client. False when the name is not this connection's to give.
bool HostClientNamed(Game& g, int seat, const std::string& name);
// Whether the host takes a chat line from socket `seat`: a lobby member that has named itself,
// or a player of the game.
bool HostHearsChatFrom(const Game& g, int seat);
void ClientConnectionOpened(Game& g);
// Connection `seat` of the host is gone. True when a game's end-of-turn count must run again.
bool HostConnectionLost(Game& g, int seat);
// The client's link to the host is gone; `peerClosed` when the host closed it (not this player).
void ClientConnectionLost(Game& g, bool peerClosed);
// The end-of-turn count after a seat was lost in a game; a lone host that already finished its
// turn resolves it.
void RecountAfterLoss(Game& g);

// --- the lobby's controls ---
// A click on name box `index`: the host removes that client, a client leaves the host.
void txtPL_Click(Game& g, int index);
// Enter in the chat entry line.
void txtMessage_Enter(Game& g);
// A chat line that came over the network while no game is in progress; `sound` false keeps it
// quiet (more lines follow at once).
void LobbyChatArrived(Game& g, const std::string& line, bool sound = true);

}  // namespace zarnath
