// The game window's chat line: the entry box's keys, Send with its wrap and its two-second lock,
// and a chat line arriving from the network, which the host shows and relays to every client.
#pragma once

#include <string>
#include <string_view>

namespace zarnath {
class Game;
struct GameState;

inline constexpr int kChatLockMs = 2000;
inline constexpr size_t kChatTypedLimit = 200;  // characters the entry box takes by typing
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyStar = 42;

// Wraps a chat text into lines of about 50 characters: a line breaks after its last blank that
// is not its first character, or is cut hard; each break is CR LF Tab. The first line holds at
// most 50 characters, each further line at most 51 after its Tab.
std::string WrapChatText(std::string text);

// The text of a chat line as it may travel: "*" ends a network message, so none is left in it.
std::string ChatSafeText(std::string_view text);

// The chat message of this seat's text: " Name: text" (already wrapped).
std::string ChatPayload(const GameState& g, const std::string& wrapped);

// Send (the button or Enter): wraps the entry box's text, sends it to the host (a connected
// client), or relays it to every connected client and shows it here with "message.wav" (the
// host); in every case empties the box and locks Send for two seconds. Nothing happens while the
// box is empty or Send is locked; false then.
bool ImgSend_Click(Game& g);

// A key typed into the entry box; answers the key to put into the box, 0 for none. Enter sends
// while Send is unlocked; "*" never enters the box.
int txtMessage_KeyPress(Game& g, int key);

// The end of the send lock: Send unlocked and the entry box focused.
void tmrMessage_Timer(Game& g);

enum class ChatArrival { kLobby, kShown };
// A "[MESSAGE] " payload arriving from the network (commas become points). Before a game is set up
// it belongs to the lobby and nothing happens here. Otherwise it is appended to the chat box; the
// host relays it to every connected client, the sender included; then "message.wav" plays unless
// a speed game or sound off, or `sound` is false (more lines follow at once).
ChatArrival ChatMessageArrives(Game& g, std::string payload, bool sound = true);

}  // namespace zarnath
