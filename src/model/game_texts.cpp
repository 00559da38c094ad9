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

namespace {

const char* Ending(TurnStatus s) {
  switch (s) {
    case TurnStatus::kTakingTurn:
      return ":  Taking Turn";
    case TurnStatus::kDoneTurn:
      return ":  Done Turn";
    case TurnStatus::kDisconnected:
      return ":  Disconnected";
    case TurnStatus::kEliminated:
      return ":  Eliminated";
    case TurnStatus::kNone:
      break;
  }
  return "";
}

bool ValidSeat(int seat) {
  return seat >= 0 && seat < kSeats;
}

}  // namespace

std::string StatusCaption(const GameState& g, int seat) {
  if (!ValidSeat(seat)) return "";
  const TurnStatus s = g.SeatStatus[static_cast<size_t>(seat)];
  return s == TurnStatus::kNone ? std::string() : g.PlayerName[static_cast<size_t>(seat)] + Ending(s);
}

std::optional<TurnStatus> StatusOfCaption(const GameState& g, int seat, std::string_view caption) {
  if (!ValidSeat(seat)) return std::nullopt;
  const std::string& name = g.PlayerName[static_cast<size_t>(seat)];
  if (caption.size() < name.size() || caption.substr(0, name.size()) != name) return std::nullopt;
  const std::string_view ending = caption.substr(name.size());
  for (TurnStatus s :
       {TurnStatus::kTakingTurn, TurnStatus::kDoneTurn, TurnStatus::kDisconnected, TurnStatus::kEliminated})
    if (ending == Ending(s)) return s;
  return std::nullopt;
}

void SetAllTakingTurn(GameState& g) {
  for (size_t p = 0; p < kSeats; ++p)
    g.SeatStatus[p] = g.PlayerName[p].empty() ? TurnStatus::kNone
                      : g.PlayerGone[p]       ? TurnStatus::kDisconnected
                                              : TurnStatus::kTakingTurn;
}

bool SeatFinished(const GameState& g, int seat) {
  if (!ValidSeat(seat)) return false;
  const TurnStatus s = g.SeatStatus[static_cast<size_t>(seat)];
  return s == TurnStatus::kDoneTurn || s == TurnStatus::kDisconnected || s == TurnStatus::kEliminated;
}

std::string MoveLogBoxText(const std::string& log, size_t shown) {
  std::string text = log.size() <= shown ? log : log.substr(log.size() - shown);
  if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) text += "\r\n";
  return text;
}

}  // namespace zarnath
