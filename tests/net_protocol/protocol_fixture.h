// Games of a network host and its clients with recording ports, and the receiver of each.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/game_start.h"
#include "engine/turn.h"
#include "fixtures/test_game.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "model/game_texts.h"
#include "model/setup_rules.h"
#include "model/travel_time.h"
#include "net/full_state.h"
#include "net/lobby.h"
#include "net/net_session.h"
#include "net/protocol.h"

namespace zarnath::testing {

// A host in its LAN lobby with `worlds` worlds: Ann, listening, nobody connected yet.
struct Lobby {
  TestGame t;
  std::unique_ptr<NetSession> session;
  Game& g() { return t.game; }

  explicit Lobby(int worlds) {
    Game& g = t.game;
    t.ports.socketCount = 4;
    t.ports.connected = {false, false, false, false};
    SetName(g, 0, "Ann");
    SetWorldBar(g, worlds);
    g.setup.chkLan = 1;
    chkLan_Click(g);
    g.setup.OptServerClient0 = true;
    OptServerClient_Click(g, 0);
    session = std::make_unique<NetSession>(g);
    t.ports.Clear();
  }
  // Client `seat` connects and, when seated, names itself.
  void Join(int seat, const std::string& name) {
    t.ports.connected[static_cast<size_t>(seat)] = true;
    session->ConnectionOpened(seat);
    session->DataArrival(seat, "[NAME] 00" + name + "*");
  }
  void Leave(int seat) {
    t.ports.connected[static_cast<size_t>(seat)] = false;
    session->ConnectionLost(seat);
  }
  std::vector<std::string> SentTo(int seat) const {
    std::vector<std::string> out;
    const std::string head = "Send " + std::to_string(seat) + " ";
    for (const std::string& c : t.ports.calls)
      if (c.rfind(head, 0) == 0) out.push_back(c.substr(head.size()));
    return out;
  }
};

// A host with Ann at seat 0 and clients Bob (socket 1) and Cy (socket 2), its game started.
struct HostGame {
  TestGame t;
  std::unique_ptr<NetSession> session;
  Game& g() { return t.game; }

  HostGame() {
    Game& g = t.game;
    t.ports.recording = false;
    t.ports.socketCount = 4;
    t.ports.connected = {false, true, true, false};
    t.ports.onGameCheck = [&g] { GameCheck(g); };
    g.random.Seed(7);
    g.NetworkGame = g.setup.OptServerClient0 = true;
    g.setup.chkLan = 1;
    g.setup.txtPL = {"Ann", "Bob", "Cy", ""};
    g.setup.txtPlanets = "16";
    imgStart_Click(g);
    session = std::make_unique<NetSession>(g);
    t.ports.recording = true;
    t.ports.Clear();
  }
  void Receive(int element, const std::string& bytes) { session->DataArrival(element, bytes); }
};

// A client with its receiver, not yet sent anything; `seat` is what its host will tell it.
struct ClientGame {
  TestGame t;
  std::unique_ptr<NetSession> session;
  Game& g() { return t.game; }

  ClientGame() {
    Game& g = t.game;
    t.ports.connected = {true};
    g.NetworkGame = true;
    g.Role = NetRole::kClient;
    session = std::make_unique<NetSession>(g);
  }
  // As the transport does: what the receiver left waiting is handed back at the next passes of
  // the event loop.
  void Receive(const std::string& bytes) {
    session->DataArrival(0, bytes);
    while (session->LeftWaiting()) session->HandleLeftWaiting();
  }
  // Every frame the host's state makes for socket `seat`, fed in one piece.
  void TakeState(const Game& host, int seat) {
    std::string all;
    ForEachStateFrame(host, seat, [&](std::string f, bool) { all += f; });
    Receive(all);
  }
};

// The record of a fresh launch from world `from` to `to` of an object with ship code `ships`, as
// the sender's own Launch makes it, but for the owner it names (another than the world's owner
// forges it). The order is not checked: a test can build the record of a launch the rules refuse.
inline std::string LaunchRecord(const GameState& g, int from, int to, int owner, float ships) {
  FleetRecordValues code;
  code.from = from + 1, code.to = to + 1, code.ships = ships;
  const LaunchOrder order = *OrderOfRecord(code);
  FleetRecordValues v = LaunchedSlot(g, order, PriceLaunch(g, order));
  v.owner = owner;
  GameState copy = g;
  StoreFleetRecord(copy, 0, v);
  return FleetRecord(copy, 0);
}

// Everything a frame could change, as text: the state the host would send, the status captions,
// the option menus and the turn flags.
inline size_t Fingerprint(const Game& g, int seat = 1) {
  std::string s;
  ForEachStateFrame(g, seat, [&](std::string f, bool) { s += f; });
  for (int p = 0; p < kSeats; ++p) s += StatusCaption(g, p) + "|";
  for (const auto& j : g.FleetTimeLeft) s += std::to_string(j) + ",";
  for (const auto* m : {&g.menus.mnuOptionsShield, &g.menus.mnuOptionsBattle, &g.menus.mnuOptionsTruce,
                        &g.menus.mnuOptionsProd, &g.menus.mnuOptionsRadar})
    s += m->Caption + (m->Checked ? "+" : "-");
  s += std::to_string(g.CurrentPlayer) + std::to_string(g.AttackAccuracy) + std::to_string(g.DefendAccuracy) +
       std::to_string(g.BattleSide) + std::to_string(g.InputBusy) + std::to_string(g.TurnResolving) +
       g.window.txtGame.Text + g.window.txtChat.Text;
  return std::hash<std::string>{}(s);
}

}  // namespace zarnath::testing
