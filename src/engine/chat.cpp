#include "engine/chat.h"

#include <algorithm>

#include "engine/turn_show.h"
#include "model/game.h"

namespace zarnath {
namespace {

constexpr size_t kChatLine = 50;
constexpr std::string_view kChatBreak = "\r\n\t";

}  // namespace

void AppendToChat(Game& g, const std::string& payload) {
  g.window.txtChat.Append(payload + "\r\n");
  g.io.screen.Refresh(Control::kTxtChat);
}

std::string WrapChatText(std::string text) {
  // Positions count from 1: a line starts at `start`, and `at` walks back from its candidate end.
  size_t start = 1, at = kChatLine;
  while (at < text.size()) {
    size_t cut;
    if (text[at - 1] == ' ' && at != start) {
      cut = at;  // the blank stays at the end of the line
    } else if (at == start) {
      cut = start + kChatLine - 1;  // no blank to break at: a hard cut after 50 characters
    } else {
      --at;
      continue;
    }
    text.insert(cut, kChatBreak);
    start = cut + kChatBreak.size() + 1;
    at = start + kChatLine;
  }
  return text;
}

std::string ChatSafeText(std::string_view text) {
  std::string out(text);
  std::erase(out, '*');
  return out;
}

std::string ChatPayload(const GameState& g, const std::string& wrapped) {
  const int seat = g.CurrentPlayer;
  const std::string name = seat >= 0 && seat < kSeats ? g.PlayerName[static_cast<size_t>(seat)] : "";
  return ChatSafeText(" " + name + ": " + wrapped);
}

void ChatLockEnds(Game& g) {
  g.window.ImgSendEnabled = true;
  g.io.screen.Focus(Control::kTxtMessage);
  g.io.platform.SetTimer(GameTimer::kChatLock, kChatLockMs, false);
}

ChatArrival ChatMessageArrives(Game& g, std::string payload, bool sound) {
  if (!g.GameInProgress) return ChatArrival::kLobby;
  std::replace(payload.begin(), payload.end(), ',', '.');
  payload = ChatSafeText(payload);
  AppendToChat(g, payload);
  Tell(g, turn_event::ChatLineShown{payload});
  if (sound && !g.SpeedGame && !g.SoundOff) g.io.platform.PlaySound("message.wav");
  return ChatArrival::kShown;
}

}  // namespace zarnath
