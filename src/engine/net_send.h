// The sends of the game protocol: the network host's frames to its clients and a client's to its
// host, each followed by a yield unless the pace is quiet.
#pragma once

#include <string>
#include <type_traits>

namespace zarnath {
class Game;
struct GameState;

// The one sender of the game protocol. On the network host: the frame to every connected client
// (or only to client `only` when it is 1 to 3); on any other machine: to the host when linked
// to one (never with `only`). Each send is followed by a yield unless the pace is quiet.
enum class SendPace { kYield, kQuiet };
void NetSend(Game& g, const std::string& message, SendPace pace = SendPace::kYield, int only = 0);

// Whether connection `element` (1..3) of the host is linked and holds a seat: in the lobby it
// passed the seat test, in a game its seat has a player. Only these take the host's frames and
// count at the end of a turn.
bool SeatLinked(Game& g, int element);
// On a network host starting or loading a game: a named seat of a human player whose client is
// not linked here is gone from the game, as a client that leaves in play is; every other seat
// plays.
void MarkUnlinkedSeatsGone(Game& g);

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

}  // namespace zarnath
