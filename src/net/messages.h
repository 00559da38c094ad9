// Framing of the game's network messages: the tag, a two-digit index, the payload and "*".
#pragma once

#include <string>
#include <string_view>

namespace zarnath {
class Game;

// `tag` includes its trailing blank, e.g. "[SEND] ".
std::string Frame(std::string_view tag, int index, std::string_view payload);

// Sends to the host (a client) and yields once.
void SendToHost(Game& g, const std::string& message);
// Sends to every connected client (the host) with a yield after each send.
void SendToClients(Game& g, const std::string& message);

}  // namespace zarnath
