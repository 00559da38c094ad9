// A game with headless ports whose next-player step is the engine's, laid out as the game window
// lays it out, with helpers to seat players, put objects in flight and read the transcript.
#pragma once

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "engine/battle.h"
#include "engine/events.h"
#include "engine/turn.h"
#include "engine/turn_show.h"
#include "fixtures/test_game.h"
#include "model/data_set.h"
#include "model/galaxy.h"
#include "model/game.h"
#include "model/game_texts.h"
#include "model/numbers.h"
#include "model/view_geometry.h"
#include "net/broadcast.h"

namespace zarnath::testing {

struct EngineGame : TestGame {
  std::vector<std::string> notices;  // txtGame's text at each repaint that showed one
  // The network's frames of what the game tells, once the game is a host or a client.
  std::unique_ptr<Broadcast> broadcast;

  // Seats as "AB.D": Ann, Bob, Cid and Dee by initial, '.' an empty seat, a digit a computer
  // player of that level; a new galaxy at year 1.00, every seat taking its turn, nothing announced.
  explicit EngineGame(const std::string& who = "", int worlds = 30) {
    ports.onGameCheck = [this] { GameCheck(game); };
    ports.onRefresh = [this](Control c) {
      if (c == Control::kTxtGame && !game.window.txtGame.Text.empty())
        notices.push_back(game.window.txtGame.Text);
    };
    std::tie(game.PlayerColor, game.GalaxyCenterX, game.GalaxyCenterY) =
        std::make_tuple(kPlayerColors, kCenterX, kCenterY);
    game.GalaxyScaleX = (static_cast<double>(kCenterX) + kCenterX) / 460.0;
    game.GalaxyScaleY = static_cast<double>(kCenterY) * 3.0 / 750.0;
    game.random.Seed(20240611);
    if (who.empty()) return;
    for (size_t p = 0; p < kSeats; ++p) {
      const bool computer = who[p] >= '1' && who[p] <= '6';
      game.setup.txtPL[p] = who[p] == '.' ? "" : std::string("AnnBobCidDee").substr(3 * p, 3);
      game.setup.chkAI[p] = computer ? 1 : 0;
      game.setup.txtAI[p] = computer ? std::string(1, who[p]) : "";
    }
    game.setup.txtOp[1] = "0";
    game.WorldCount = static_cast<uint8_t>(worlds);
    DataSet(game);
    GenerateWorlds(game);
    PlaceSeats(game);
    game.GameInProgress = true;
    game.WorldType.fill(kTypeNothing);
    game.GameYear = 1.0f;
    SetAllTakingTurn(game);
    ports.Clear();
  }

  // This machine hosts a network game with `clients` connected clients.
  void Host(int clients) {
    std::tie(game.NetworkGame, game.Role, ports.socketCount) =
        std::make_tuple(true, NetRole::kHost, clients + 1);
    game.setup.OptServerClient0 = true;  // the setup window shows the host's choice
    ports.connected.assign(static_cast<size_t>(clients + 1), true);
    ports.connected[0] = false;
    if (!broadcast) broadcast = std::make_unique<Broadcast>(game);
  }
  // This machine is a network client playing `seat`.
  void Client(int seat, bool connected = true) {
    std::tie(game.NetworkGame, game.Role, game.CurrentPlayer) = std::make_tuple(true, NetRole::kClient, seat);
    game.setup.OptServerClient0 = false;
    ports.socketCount = 1;
    ports.connected = {connected};
    if (!broadcast) broadcast = std::make_unique<Broadcast>(game);
  }
  // The year at the start of turn `turn` as the sum of 0.05 steps the game makes.
  void AtTurn(int turn) {
    game.GameYear = 1.0f;
    for (int i = 0; i < turn; ++i) game.GameYear += 0.05f;
  }
  // An object in flight in `slot`, `ticksMoved` ticks after its launch.
  void Put(int slot, int from, int to, int owner, float ships, float trip, int ticksMoved = 0) {
    std::tie(game.FleetFrom[slot], game.FleetTo[slot], game.FleetOwner[slot], game.FleetShips[slot]) =
        std::make_tuple(from + 1, to + 1, owner, ships);
    std::tie(game.FleetClass[slot], game.FleetShield[slot], game.FleetTripTime[slot],
             game.FleetAngleParam[slot]) = std::make_tuple(game.WorldClass[from], 0, trip, 0.0f);
    game.FleetTimeLeft[slot] = static_cast<double>(trip) - ticksMoved / 520.0;
  }
  // An object that has arrived (no time left).
  void Arrived(int slot, int from, int to, int owner, float ships) {
    Put(slot, from, to, owner, ships, 0.2f);
    game.FleetTimeLeft[slot] = 0;
  }

  int Index(const std::string& call, int from = 0) const {
    return static_cast<int>(std::find(ports.calls.begin() + from, ports.calls.end(), call) -
                            ports.calls.begin());
  }
  bool Noticed(const std::string& text) const { return std::count(notices.begin(), notices.end(), text) > 0; }
  bool NoticeHas(const std::string& part) const {
    return std::any_of(notices.begin(), notices.end(), [&](const auto& n) { return n.find(part) != n.npos; });
  }
  std::vector<std::string> Calls(const std::string& prefix) const {
    std::vector<std::string> out;
    std::copy_if(ports.calls.begin(), ports.calls.end(), std::back_inserter(out),
                 [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
    return out;
  }
};

}  // namespace zarnath::testing

namespace zarnath {
using testing::EngineGame;
}  // namespace zarnath
