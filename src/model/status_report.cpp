#include "model/status_report.h"

#include <algorithm>

#include "model/game.h"
#include "model/game_texts.h"
#include "model/numbers.h"

namespace zarnath {

PlayerStock TakeStock(const GameState& g, int seat) {
  PlayerStock s;
  for (int w = 0; w < g.WorldCount && w < kMaxWorlds; ++w) {
    if (g.WorldOwner[w] != seat + 1) continue;
    s.worlds += 1;
    s.ships += g.WorldShips[w];
    s.production += g.WorldProduction[w];
    s.classSum += g.WorldClass[w];
  }
  for (int j = 0; j < kUsedFleetSlots; ++j) {
    if (g.FleetFrom[j] == 0 || g.FleetOwner[j] != seat + 1) continue;
    const float n = g.FleetShips[j];
    s.inFlight += (n > 0 && n <= kMaxFleetShips) ? n : 1.0f;
  }
  return s;
}

float RatingOf(const PlayerStock& s, int turn) {
  // Turns count from 0; a year before the first (a damaged game) counts as the first turn.
  return static_cast<float>(static_cast<double>(s.classSum) * s.production / (std::max(turn, 0) + 1.0));
}

std::string StatusLine(const GameState& g, int seat) {
  if (seat < 0 || seat >= kSeats) return "";
  const std::string& name = g.PlayerName[seat];
  const bool eliminated = g.SeatStatus[seat] == TurnStatus::kEliminated;
  if (name.empty() || eliminated) return "";
  const PlayerStock s = TakeStock(g, seat);
  if (s.worlds <= 0 && s.inFlight <= 0) return "    " + name + " Was Eliminated From Game!    \r\n";
  const float ships = s.ships + s.inFlight;
  return "    " + name + " Owns" + Str(s.worlds) + (s.worlds <= 1 ? " World With" : " Worlds With") +
         Str(s.production) + " Production and" + Str(ships) + " Ships" +
         ", Rating: " + Format(RatingOf(s, TurnOf(g)), "0.0") + "    \r\n";
}

std::string StatusReportText(const GameState& g) {
  std::string report;
  for (int p = 0; p < kSeats; ++p) report += StatusLine(g, p);
  if (report.empty()) return "";
  return "\r\n" + report.substr(0, report.size() - 2) + "\r\n";
}

}  // namespace zarnath
