// A game with headless ports whose next-player step is the engine's, laid out as the game window
// lays it out, with helpers to seat players, put objects in flight and read the transcript.
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "engine/turn.h"
#include "fixtures/test_game.h"
#include "model/data_set.h"
#include "model/galaxy.h"
#include "model/game.h"
#include "model/view_geometry.h"

namespace zarnath::testing {

struct Seat {
  std::string name;
  int level = 0;  // 0 a human, 1..6 a computer player
};

struct EngineGame : TestGame {
  std::vector<std::string> notices;  // txtGame's text at each repaint that showed one

  EngineGame() {
    ports.onGameCheck = [this] { GameCheck(game); };
    ports.onRefresh = [this](Control c) {
      if (c == Control::kTxtGame && !game.window.txtGame.Text.empty())
        notices.push_back(game.window.txtGame.Text);
    };
    game.PlayerColor = kPlayerColors;
    game.GalaxyCenterX = kCenterX;
    game.GalaxyCenterY = kCenterY;
    game.GalaxyScaleX = (static_cast<double>(kCenterX) + kCenterX) / 460.0;
    game.GalaxyScaleY = static_cast<double>(kCenterY) * 3.0 / 750.0;
    game.random.Seed(20240611);
  }

  // A new galaxy of `worlds` worlds with the seats given (empty name: empty seat), year 1.00,
  // every seat taking its turn; nothing announced yet.
  void Seat4(const std::array<Seat, kSeats>& seats, int worlds = 30) {
    for (int p = 0; p < kSeats; ++p) {
      game.setup.txtPL[p] = seats[p].name;
      game.setup.chkAI[p] = seats[p].level > 0 ? 1 : 0;
      game.setup.txtAI[p] = seats[p].level > 0 ? std::to_string(seats[p].level) : "";
    }
    game.setup.txtOp[1] = "0";
    game.WorldCount = static_cast<uint8_t>(worlds);
    DataSet(game);
    GenerateWorlds(game);
    PlaceSeats(game);
    for (int w = 0; w < kMaxWorlds; ++w) game.WorldType[w] = kTypeNothing;
    for (int b = 0; b < kUsedBombSlots; ++b) game.ProxBombOwner[b] = 0;
    game.GameYear = 1.0f;
    game.CurrentPlayer = 0;
    for (int p = 0; p < kSeats; ++p)
      game.window.lblStatus[p] = game.PlayerName[p].empty() ? "" : game.PlayerName[p] + ":  Taking Turn";
    ports.Clear();
    notices.clear();
  }

  // Sets the year to the start of turn `turn` as the sum of 0.05 steps the game makes.
  void AtTurn(int turn) {
    game.GameYear = 1.0f;
    for (int i = 0; i < turn; ++i) game.GameYear += 0.05f;
  }

  // An object in flight in `slot`, `ticksMoved` ticks after its launch.
  int Put(int slot, int from, int to, int owner, float ships, float trip, int ticksMoved = 0,
          float param = 0) {
    game.FleetFrom[slot] = static_cast<uint8_t>(from + 1);
    game.FleetTo[slot] = static_cast<uint8_t>(to + 1);
    game.FleetOwner[slot] = static_cast<uint8_t>(owner);
    game.FleetShips[slot] = ships;
    game.FleetClass[slot] = game.WorldClass[from];
    game.FleetShield[slot] = 0;
    game.FleetTripTime[slot] = trip;
    game.FleetTimeLeft[slot] = static_cast<double>(trip) - ticksMoved / 520.0;
    game.FleetAngleParam[slot] = param;
    return slot;
  }
  // An object that has arrived (no time left).
  int Arrived(int slot, int from, int to, int owner, float ships) {
    Put(slot, from, to, owner, ships, 0.2f);
    game.FleetTimeLeft[slot] = 0;
    return slot;
  }

  int Index(const std::string& call, int from = 0) const {
    auto it = std::find(ports.calls.begin() + from, ports.calls.end(), call);
    return it == ports.calls.end() ? -1 : static_cast<int>(it - ports.calls.begin());
  }
  bool Noticed(const std::string& text) const {
    return std::find(notices.begin(), notices.end(), text) != notices.end();
  }
  int CountPrefix(const std::string& prefix) const {
    return static_cast<int>(std::count_if(ports.calls.begin(), ports.calls.end(),
                                          [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
  }
};

}  // namespace zarnath::testing
