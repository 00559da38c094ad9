// The network the program does not have yet: its calls do nothing, and this machine is never
// connected.
#pragma once

#include <string>

#include "model/ports.h"

namespace zarnath {

class PendingNetwork : public NetworkPort {
 public:
  int SocketCount() override { return 1; }
  bool SocketConnected(int) override { return false; }
  void SendData(int, const std::string&) override {}
  void CloseSocket(int) override {}
  void ConnectToHost() override {}
  void StopLobbyTimers() override {}
  void AppendOnlineGameLog(const std::string&) override {}
};

}  // namespace zarnath
