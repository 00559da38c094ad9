// One game: its records, the options and window texts the rules keep, its random sources and
// the ports through which it reaches the screen, the sound, the clock and the network.
#pragma once

#include <string>
#include <vector>

#include "model/game_state.h"
#include "model/ports.h"
#include "model/random_source.h"
#include "model/setup_state.h"

namespace zarnath {
class TurnListener;

struct GameState : WorldTable,
                   FleetTable,
                   ProximityBombTable,
                   PlayerTable,
                   ScoutTable,
                   GameSettings,
                   SeatState,
                   Selection,
                   GalaxyView,
                   NetState,
                   BattleState {
  SetupState setup;
  GameMenus menus;
  GameWindowState window;
};

class Game : public GameState {
 public:
  explicit Game(Ports ports) : io(ports) {}
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  GameState& state() { return *this; }
  const GameState& state() const { return *this; }

  Ports io;
  RandomSource random;    // draws for the game (host or single machine only)
  RandomSource cosmetic;  // draws that change nothing in the game
  std::string programFolder = ".";
  // Who hears the turn's events besides the show (model/turn_events.h): the network's broadcast.
  std::vector<TurnListener*> listeners;
};

// The role: the game's rules ask these, never the setup window's host/join option box.
// The lobby or the game is this machine's to host (with or without clients linked yet).
inline bool HostRole(const GameState& g) {
  return g.Role == NetRole::kHost;
}
// This machine hosts a network game.
inline bool IsNetworkHost(const GameState& g) {
  return g.NetworkGame && HostRole(g);
}
// This machine is a client of a network game.
inline bool IsNetworkClient(const GameState& g) {
  return g.NetworkGame && g.Role == NetRole::kClient;
}
// This machine resolves turns and draws random numbers: a single machine or a network host.
inline bool IsHostOrSingle(const GameState& g) {
  return !g.NetworkGame || HostRole(g);
}
// The role a game takes at its start or load: the setup's host option, a client while linked to a
// host, or one computer.
inline NetRole RoleOfSetup(const GameState& g) {
  return g.setup.OptServerClient0 ? NetRole::kHost : g.NetworkGame ? NetRole::kClient : NetRole::kLocal;
}
inline bool IsHumanSeat(const GameState& g, int seat) {
  return g.setup.chkAI[seat] == 0;
}
inline bool IsFreeSlot(const GameState& g, int slot) {
  return g.FleetFrom[slot] == 0;
}
// Whether seats 1 to 3 are each empty or a computer player (one human at this computer).
inline bool OneHumanAtThisComputer(const GameState& g) {
  for (int p = 1; p < kSeats; ++p)
    if (!g.PlayerName[static_cast<size_t>(p)].empty() && g.setup.chkAI[static_cast<size_t>(p)] != 1)
      return false;
  return true;
}
// The game window's four menus, locked while a turn is resolved and unlocked after.
inline void SetMenusEnabled(GameState& g, bool enabled) {
  g.menus.mnuFile.Enabled = g.menus.mnuInfo.Enabled = g.menus.mnuOptions.Enabled = g.menus.mnuHelp.Enabled =
      enabled;
}

}  // namespace zarnath
