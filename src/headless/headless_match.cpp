#include "headless/headless_match.h"

#include <optional>

#include "ai/computer_turn.h"
#include "engine/engine_flow.h"
#include "engine/game_start.h"
#include "engine/menu_state.h"
#include "engine/save_load.h"
#include "engine/turn.h"
#include "headless/headless_ports.h"
#include "model/game.h"
#include "model/numbers.h"
#include "model/setup_rules.h"
#include "model/state_check.h"
#include "net/lobby.h"
#include "persist/saved_game.h"

namespace zarnath {

std::string CheckInvariants(const GameState& g) {
  const auto fault = CheckGameState(g);
  return fault ? fault->Text() : std::string();
}

TurnReport ReportNow(const GameState& g) {
  TurnReport r;
  r.turn = TurnNumber(g.GameYear);
  for (int p = 0; p < kSeats; ++p)
    r.seats[static_cast<size_t>(p)].seated = !g.PlayerName[static_cast<size_t>(p)].empty();
  for (int w = 0; w < g.WorldCount; ++w) {
    const int owner = g.WorldOwner[static_cast<size_t>(w)];
    if (owner < 1 || owner > kSeats) continue;
    SeatStock& s = r.seats[static_cast<size_t>(owner - 1)];
    ++s.worlds;
    s.ships += g.WorldShips[static_cast<size_t>(w)];
  }
  return r;
}

std::string TurnLine(const TurnReport& r) {
  std::string line = "turn=" + std::to_string(r.turn);
  for (int p = 0; p < kSeats; ++p) {
    const SeatStock& s = r.seats[static_cast<size_t>(p)];
    line += " " + std::to_string(p) + ":";
    line += s.seated ? std::to_string(s.worlds) + "/" + Format(Int(s.ships), "0") : "-";
  }
  return line;
}

std::string ResultLine(const MatchResult& r) {
  const char* victory = r.victory == Victory::kConquest      ? "conquest"
                        : r.victory == Victory::kElimination ? "elimination"
                                                             : "none";
  return std::string("result: winner=") + (r.winner >= 0 ? std::to_string(r.winner) : "none") +
         " victory=" + victory + " turns=" + std::to_string(r.turns);
}

struct HeadlessMatch::Parts {
  HeadlessPorts ports;
  EngineFlow flow;
  Game game{Ports{ports, ports, ports, flow}};
};

HeadlessMatch::HeadlessMatch(const MatchOptions& options)
    : parts_(std::make_unique<Parts>()), options_(options) {
  Game& g = parts_->game;
  parts_->ports.recording = false;
  parts_->flow.Attach(g);
  parts_->flow.onComputerTurn = [&g] { ComputerTurn(g); };
  g.random.Seed(options.seed);
  g.cosmetic.Seed(options.seed * 7919u + 1u);
  for (int level = 1; level <= 6; ++level)
    g.CpuName[static_cast<size_t>(level - 1)] = kCpuNames[static_cast<size_t>(level - 1)];
  SetUpComputerGame(g, options.levels, options.worlds);
}

HeadlessMatch::~HeadlessMatch() = default;

Game& HeadlessMatch::game() {
  return parts_->game;
}

MatchResult HeadlessMatch::Play(const std::function<void(const TurnReport&)>& onTurn) {
  Game& g = parts_->game;
  HeadlessPorts& ports = parts_->ports;
  MatchResult result;
  bool over = false;
  std::optional<int> lastTurn;
  int played = 0;  // turns begun after the first: the cap counts these, whatever year the game has

  // Checks the state and reports a turn that has just begun.
  auto look = [&] {
    if (result.broken.empty()) result.broken = CheckInvariants(g);
    const int turn = TurnNumber(g.GameYear);
    if (turn != lastTurn) {
      if (lastTurn) ++played;
      lastTurn = turn;
      result.turns = turn;
      if (onTurn) onTurn(ReportNow(g));
    }
  };
  // A conquest ends in the high-score table, while the state still stands; then the game is
  // cleared and the setup window returns.
  parts_->flow.onHighScore = [&](const std::string& name, float, float, float, float, float) {
    look();
    for (int p = 0; p < kSeats; ++p)
      if (g.PlayerName[static_cast<size_t>(p)] == name) result.winner = p;
    result.victory = Victory::kConquest;
    over = true;
  };

  // The save comes at the start of the first computer turn after the resolution, before that
  // seat moves: where a loaded game goes on from.
  int startTurn = -1;
  parts_->flow.onComputerTurn = [&] {
    const int turn = TurnNumber(g.GameYear);
    if (options_.saveAtTurn >= 0 && !result.saved && result.saveError.empty() && startTurn >= 0 &&
        turn > startTurn && turn == options_.saveAtTurn + 1) {
      if (WriteSavedGame(g.state(), options_.saveTo, &result.saveError)) {
        result.saved = true;
        g.random.Seed(options_.seed);
      }
    }
    ComputerTurn(g);
  };

  auto speed = [&] {
    if (!options_.speedGame) return;
    SetSwitch(g, Switch::kSpeed, true);
  };
  if (options_.loadFrom.empty()) {
    imgStart_Click(g);
    speed();
  } else {
    // The loader tells a refusal in a message box: its text is the reason.
    speed();
    ports.recording = true;
    ports.Clear();
    const LoadOutcome outcome = LoadSavedGame(g, options_.loadFrom);
    if (outcome != LoadOutcome::kLoaded) {
      const std::string prefix = "MessageBox Zarnath Error: ";
      for (const std::string& call : ports.calls)
        if (call.rfind(prefix, 0) == 0) result.loadError = call.substr(prefix.size());
      for (size_t at; (at = result.loadError.find('\r')) != std::string::npos;)
        result.loadError.replace(at, 1, ": ");
      const size_t first = result.loadError.find_first_not_of(' ');
      const size_t last = result.loadError.find_last_not_of(' ');
      result.loadError = first == std::string::npos ? "" : result.loadError.substr(first, last - first + 1);
      if (result.loadError.empty()) result.loadError = "the game window does not fit the screen";
    }
    for (int p = 0; p < kSeats && result.loadError.empty(); ++p) {
      const size_t i = static_cast<size_t>(p);
      if (!g.PlayerName[i].empty() && g.setup.chkAI[i] == 0)
        result.loadError = "seat " + std::to_string(p) + " (" + g.PlayerName[i] + ") is no computer player";
    }
    ports.Clear();
    ports.recording = false;
    if (!result.loadError.empty()) {
      parts_->flow.onComputerTurn = [&g] { ComputerTurn(g); };
      return result;
    }
  }
  startTurn = TurnNumber(g.GameYear);
  if (!over) look();

  auto tick = [&](GameTimer timer) {
    if (timer == GameTimer::kAI)
      ComputerDoneTick(g);
    else
      TimerTick(g, timer);
  };
  while (!over && result.broken.empty() && result.saveError.empty() && played < options_.maxTurns) {
    if (!ports.FireNextTimer(tick)) break;  // nothing left to run: the game has stopped
    if (!over) look();
    if (!over && g.GameOver && result.victory == Victory::kNone) {
      for (int p = 0; p < kSeats; ++p) {
        if (!g.PlayerName[static_cast<size_t>(p)].empty() &&
            g.SeatStatus[static_cast<size_t>(p)] != TurnStatus::kEliminated)
          result.winner = p;
      }
      result.victory = Victory::kElimination;
    }
  }
  parts_->flow.onComputerTurn = [&g] { ComputerTurn(g); };  // no hold on this play's locals
  if (!result.broken.empty() && result.victory != Victory::kConquest) {
    result.winner = -1;
    result.victory = Victory::kNone;
  }
  return result;
}

}  // namespace zarnath
