// The game window's chat entry: the box's keys and Send with its wrap and its two-second lock.
#pragma once

#include <cstddef>

#include "engine/chat.h"

namespace zarnath {
class Game;

inline constexpr size_t kChatTypedLimit = 200;  // characters the entry box takes by typing
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyStar = 42;

// Send (the button or Enter): wraps the entry box's text, sends it to the host (a connected
// client), or relays it to every connected client and shows it here with "message.wav" (the
// host); in every case empties the box and locks Send for two seconds. Nothing happens while the
// box is empty or Send is locked; false then.
bool ImgSend_Click(Game& g);

// A key typed into the entry box; answers the key to put into the box, 0 for none. Enter sends
// while Send is unlocked; "*" never enters the box.
int txtMessage_KeyPress(Game& g, int key);

}  // namespace zarnath
