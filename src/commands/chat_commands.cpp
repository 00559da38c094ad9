#include "commands/chat_commands.h"

#include "engine/chat.h"
#include "engine/net_send.h"
#include "model/game.h"
#include "net/messages.h"

namespace zarnath {

bool ImgSend_Click(Game& g) {
  std::string& box = g.window.txtMessage.Text;
  if (box.empty() || !g.window.ImgSendEnabled) return false;
  // Pasted text skips the key filter: it is cleaned here, so no "*" ends the message early.
  const std::string text = ChatSafeText(std::string_view(box).substr(0, kChatLongest));
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

}  // namespace zarnath
