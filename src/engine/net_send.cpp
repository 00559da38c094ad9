#include "engine/net_send.h"

#include "model/game.h"

namespace zarnath {

bool SeatLinked(Game& g, int element) {
  if (element < 1 || element >= kSeats || !g.io.net.SocketConnected(element)) return false;
  const size_t e = static_cast<size_t>(element);
  return g.GameInProgress ? !g.PlayerName[e].empty() : g.Seated[e];
}

void MarkUnlinkedSeatsGone(Game& g) {
  g.PlayerGone[0] = false;
  for (int k = 1; k < kSeats; ++k) {
    const size_t n = static_cast<size_t>(k);
    g.PlayerGone[n] = !g.PlayerName[n].empty() && g.setup.chkAI[n] == 0 && !SeatLinked(g, k);
  }
}

bool SendsToClients(const Game& g) {
  return IsNetworkHost(g);
}

void NetSend(Game& g, const std::string& message, SendPace pace, int only) {
  NetworkPort& net = g.io.net;
  if (!IsNetworkHost(g)) {
    // A client (or a machine not yet hosting) has one link: the host's.
    if (only > 0 || !net.SocketConnected(0)) return;
    net.SendData(0, message);
    if (pace == SendPace::kYield) g.io.platform.Yield();
    return;
  }
  const int count = net.SocketCount();
  for (int element = 1; element < count; ++element) {
    if ((only > 0 && element != only) || !SeatLinked(g, element)) continue;
    net.SendData(element, message);
    if (pace == SendPace::kYield) g.io.platform.Yield();
  }
}

void HostSendEach(Game& g, const std::string& first, const std::string& second) {
  if (!IsNetworkHost(g)) return;
  const int count = g.io.net.SocketCount();
  for (int element = 1; element < count; ++element) {
    if (!SeatLinked(g, element)) continue;
    NetSend(g, first, SendPace::kYield, element);
    NetSend(g, second, SendPace::kYield, element);
  }
}

}  // namespace zarnath
