// Three machines of a network game in one process: a host and two clients, each with recording
// ports and its own receiver, joined by wires that write every frame into one transcript and carry
// the frames by hand in a fixed order.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "commands/command_view.h"
#include "engine/event_audience.h"
#include "engine/launch.h"
#include "engine/turn.h"
#include "headless/headless_ports.h"
#include "model/game.h"
#include "net/full_state.h"
#include "net/net_session.h"

namespace zarnath::testing {

// A frame as one transcript line: printable bytes as they are, anything else (and the
// backslash) as \xNN.
inline std::string Printable(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7f && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

// The network port of one machine: it records each send in the shared transcript and keeps it
// for delivery; everything else is the recording ports'.
class Wire : public NetworkPort {
 public:
  Wire(HeadlessPorts& ports, std::string name, std::string& transcript)
      : ports_(ports), name_(std::move(name)), transcript_(transcript) {}

  std::vector<std::pair<int, std::string>> outbox;  // (element, frame bytes) not yet delivered

  int SocketCount() override { return ports_.SocketCount(); }
  bool SocketConnected(int element) override { return ports_.SocketConnected(element); }
  void SendData(int element, const std::string& message) override {
    transcript_ += name_ + ">" + std::to_string(element) + " " + Printable(message) + "\n";
    outbox.emplace_back(element, message);
    ports_.SendData(element, message);
  }
  void SetEvents(NetworkEvents* events) override { ports_.SetEvents(events); }
  void CloseSocket(int element) override { ports_.CloseSocket(element); }
  void ConnectToHost() override { ports_.ConnectToHost(); }
  bool Listening() override { return ports_.Listening(); }
  bool StartListening(std::string* error) override { return ports_.StartListening(error); }
  void StopLobbyTimers() override { ports_.StopLobbyTimers(); }
  void AppendOnlineGameLog(const std::string& line) override { ports_.AppendOnlineGameLog(line); }

 private:
  HeadlessPorts& ports_;
  std::string name_;
  std::string& transcript_;
};

// One machine: recording ports for the screen and the flow, the wire as its network, its receiver.
struct Machine {
  HeadlessPorts ports;
  Wire wire;
  Game game;
  std::unique_ptr<NetSession> session;

  Machine(const std::string& name, std::string& transcript)
      : wire(ports, name, transcript), game(Ports{ports, ports, wire, ports}) {
    ports.onGameCheck = [this] { GameCheck(game); };
    ports.onGalaxySync = [this] { GalaxySync(game); };
    session = std::make_unique<NetSession>(game);
  }
};

// The host (Ann, seat 0) and its clients Bob (host socket 1) and Cy (host socket 2).
struct ThreeMachines {
  std::string transcript;
  Machine host{"H", transcript}, bob{"1", transcript}, cy{"2", transcript};
  Machine* clients[2] = {&bob, &cy};
  Game* seats[3] = {&host.game, &bob.game, &cy.game};
  CommandView view;  // the window's own drawings: none here

  ThreeMachines() {
    host.ports.socketCount = 4;
    host.ports.connected = {false, true, true, false};
    for (Machine* c : clients) {
      c->ports.connected = {true};
      c->game.NetworkGame = true;
      c->game.Role = NetRole::kClient;
    }
    for (Machine* m : {&host, &bob, &cy}) m->ports.recording = false;
    // Bob and Cy joined through the lobby, where each said that it marks the states it takes.
    host.game.MarksStates = {false, true, true, false};
  }

  void Section(const std::string& title) { transcript += "== " + title + "\n"; }

  // Carries every frame on its way, in a fixed order, until nothing is left to carry: the host's
  // frames to each client in the order sent, then Bob's and Cy's to the host. Answers false when
  // the machines keep talking.
  bool Deliver() {
    for (int round = 0; round < 1000; ++round) {
      bool any = false;
      auto fromHost = std::move(host.wire.outbox);
      host.wire.outbox.clear();
      for (auto& [element, bytes] : fromHost) {
        any = true;
        if (element != 1 && element != 2) continue;
        NetSession& client = *clients[element - 1]->session;
        client.DataArrival(0, bytes);
        // As the transport does at the next passes of its event loop.
        while (client.LeftWaiting()) client.HandleLeftWaiting();
      }
      for (int c = 0; c < 2; ++c) {
        auto fromClient = std::move(clients[c]->wire.outbox);
        clients[c]->wire.outbox.clear();
        for (auto& [element, bytes] : fromClient) {
          any = true;
          if (element == 0) host.session->DataArrival(c + 1, bytes);
        }
      }
      if (!any) return true;
    }
    return false;
  }
};

// One order of the seat at this machine: a share of `from`'s ships, a scout or a bomb to `to`.
inline void Order(Game& g, int from, int to, float code) {
  g.SelectedFrom = static_cast<int16_t>(from);
  g.SelectedTo = static_cast<int16_t>(to);
  Sendships(g, code);
}

// The seat's newest own object in flight, or -1.
inline int NewestOwnSlot(const Game& g) {
  int slot = -1;
  for (int j = 0; j < kUsedFleetSlots; ++j)
    if (SlotInPlay(g, j) && g.FleetOwner[static_cast<size_t>(j)] == g.CurrentPlayer + 1) slot = j;
  return slot;
}

}  // namespace zarnath::testing
