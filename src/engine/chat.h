// The chat's lines: the wrap and the cleaning of a line that travels, the end of Send's two-second
// lock, and a chat line arriving from the network, which the host shows and relays to every client.
// The entry box's keys and Send are the window's commands (commands/chat_commands.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zarnath {
class Game;
struct GameState;

inline constexpr int kChatLockMs = 2000;
// The longest text a chat entry box takes, far more than anyone types into one line: a longer
// paste is cut there, and Send sends no more of a text than this.
inline constexpr size_t kChatLongest = 1000;

// Wraps a chat text into lines of about 50 characters: a line breaks after its last blank that
// is not its first character, or is cut hard; each break is CR LF Tab. The first line holds at
// most 50 characters, each further line at most 51 after its Tab.
std::string WrapChatText(std::string text);

// The text of a chat line as it may travel: "*" ends a network message, so none is left in it.
std::string ChatSafeText(std::string_view text);

// The chat message of this seat's text: " Name: text" (already wrapped).
std::string ChatPayload(const GameState& g, const std::string& wrapped);

// A line at the end of the chat box.
void AppendToChat(Game& g, const std::string& payload);

// The end of the send lock: Send unlocked and the entry box focused.
void ChatLockEnds(Game& g);

enum class ChatArrival { kLobby, kShown };
// A "[MESSAGE] " payload arriving from the network (commas become points). Before a game is set up
// it belongs to the lobby and nothing happens here. Otherwise it is appended to the chat box; the
// host relays it to every connected client, the sender included; then "message.wav" plays unless
// a speed game or sound off, or `sound` is false (more lines follow at once).
ChatArrival ChatMessageArrives(Game& g, std::string payload, bool sound = true);

}  // namespace zarnath
