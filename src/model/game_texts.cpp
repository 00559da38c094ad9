#include "model/game_texts.h"

#include "model/game.h"
#include "model/numbers.h"

namespace zarnath {

int TurnOf(const GameState& g) {
  return TurnNumber(g.GameYear);
}

std::string EventPrefix(const GameState& g) {
  return "   Year " + YearText(g.GameYear) + ", Turn #" + TurnText(g.GameYear);
}

std::string SeatCaption(const GameState& g, const std::string& suffix) {
  const int seat = g.CurrentPlayer;
  const std::string& name =
      seat >= 0 && seat < kSeats ? g.PlayerName[static_cast<size_t>(seat)] : g.PlayerName[kSeats];
  return "Zarnath - Year " + YearText(g.GameYear) + ", Turn #" + TurnText(g.GameYear) + ":  " + name + suffix;
}

std::string MoveLogBoxText(const std::string& log, size_t shown) {
  std::string text = log.size() <= shown ? log : log.substr(log.size() - shown);
  if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) text += "\r\n";
  return text;
}

}  // namespace zarnath
