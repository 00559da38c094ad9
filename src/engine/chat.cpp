#include "engine/chat.h"

#include <algorithm>

#include "engine/event_display.h"
#include "model/game.h"
#include "net/messages.h"

namespace zarnath {
namespace {

constexpr size_t kChatLine = 50;
constexpr std::string_view kChatBreak = "\r\n\t";

void AppendToChat(Game& g, const std::string& payload) {
  g.window.txtChat.Append(payload + "\r\n");
  g.io.screen.Refresh(Control::kTxtChat);
}

}  // namespace

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

bool ImgSend_Click(Game& g) {
  std::string& box = g.window.txtMessage.Text;
  if (box.empty() || !g.window.ImgSendEnabled) return false;
  // Pasted text skips the key filter: it is cleaned here, so no "*" ends the message early.
  const std::string text = ChatSafeText(box);
  if (!text.empty()) {
    box = WrapChatText(text);
    const std::string payload = ChatPayload(g, box);
    const std::string message = Frame("[MESSAGE] ", 0, payload);
    if (IsNetworkHost(g)) {
      HostSend(g, message);
      AppendToChat(g, payload);
      if (!g.SoundOff) g.io.platform.PlaySound("message.wav");
    } else if (g.NetworkGame && g.io.net.SocketConnected(0)) {
      g.io.net.SendData(0, message);  // shown here when the host's relay comes back
    }
  }
  box.clear();
  g.window.ImgSendEnabled = false;
  g.io.platform.SetTimer(GameTimer::kChatLock, kChatLockMs, true);
  return true;
}

int txtMessage_KeyPress(Game& g, int key) {
  if (key == kKeyStar) return 0;
  if (key == kKeyEnter && g.window.ImgSendEnabled) {
    ImgSend_Click(g);
    return 0;
  }
  return key;
}

void tmrMessage_Timer(Game& g) {
  g.window.ImgSendEnabled = true;
  g.io.screen.Focus(Control::kTxtMessage);
  g.io.platform.SetTimer(GameTimer::kChatLock, kChatLockMs, false);
}

ChatArrival ChatMessageArrives(Game& g, std::string payload, bool sound) {
  if (!g.GameInProgress) return ChatArrival::kLobby;
  std::replace(payload.begin(), payload.end(), ',', '.');
  payload = ChatSafeText(payload);
  AppendToChat(g, payload);
  HostSend(g, Frame("[MESSAGE] ", 0, payload));
  if (sound && !g.SpeedGame && !g.SoundOff) g.io.platform.PlaySound("message.wav");
  return ChatArrival::kShown;
}

}  // namespace zarnath
