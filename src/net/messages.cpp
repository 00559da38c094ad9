#include "net/messages.h"

#include "model/game.h"
#include "model/numbers.h"

namespace zarnath {

std::string Frame(std::string_view tag, int index, std::string_view payload) {
  std::string m(tag);
  m += Format(index, "00");
  m += payload;
  m += '*';
  return m;
}

void SendToHost(Game& g, const std::string& message) {
  g.io.net.SendData(0, message);
  g.io.platform.Yield();
}

void SendToClients(Game& g, const std::string& message) {
  const int count = g.io.net.SocketCount();
  for (int element = 1; element < count; ++element) {
    if (!g.io.net.SocketConnected(element)) continue;
    g.io.net.SendData(element, message);
    g.io.platform.Yield();
  }
}

}  // namespace zarnath
