#include "commands/send_commands.h"

#include "engine/event_notices.h"
#include "engine/launch.h"
#include "model/game.h"

namespace zarnath {
namespace {

const std::string& NameOf(const GameState& g, int world) {
  return world >= 0 && world < kMaxWorlds ? g.WorldName[world] : g.WorldName[kMaxWorlds];
}

}  // namespace

bool PanelCommandMayRun(const GameState& g) {
  return !g.TurnResolving && g.CurrentPlayer >= 0 && g.CurrentPlayer < kSeats &&
         IsHumanSeat(g, g.CurrentPlayer);
}

std::string LaunchRefusalText(const GameState& g, LaunchResult result, int from, int to) {
  const std::string source = "World " + NameOf(g, from), target = "World " + NameOf(g, to);
  switch (result) {
    case LaunchResult::kLaunched:
    case LaunchResult::kNothingSelected:
      return "";
    case LaunchResult::kNotOwnWorld:
      return "- " + source + " Is Not Yours To Send From! -";
    case LaunchResult::kTableFull:
      return "- Too Many Objects In Flight, Nothing Sent! -";
    case LaunchResult::kNotEnoughShips:
      return "- Not Enough Ships On " + source + " To Send! -";
    case LaunchResult::kNoBomb:
      return "- No Bomb Left On " + source + "! -";
    case LaunchResult::kUnreachable:
      return "- " + target + " Cannot Be Reached From " + source + "! -";
    case LaunchResult::kThresholdTooLarge:
      return "- Proximity Bomb Threshold Too Large, Nothing Sent! -";
    case LaunchResult::kInvalidOrder:
    case LaunchResult::kToItself:
      return "- Unknown Order, Nothing Sent! -";
    case LaunchResult::kTruce:
      return "- The Battle Truce Protects " + target + ", Nothing Sent! -";
  }
  return "";
}

void ShowRefusal(Game& g, const std::string& notice) {
  if (notice.empty()) return;
  ShowNotice(g, kNeutralColor, notice);
  g.io.platform.Pause(1500);
  ClearNotice(g);
}

SendOutcome RunSendCommand(Game& g, SendCommand command) {
  SendOutcome outcome;
  if (g.SelectedFrom == -1 || !PanelCommandMayRun(g)) return outcome;
  const int from = g.SelectedFrom, to = g.SelectedTo;
  outcome.ran = true;
  outcome.result = Sendships(g, kSendCommands[static_cast<size_t>(command)].code);
  outcome.notice = LaunchRefusalText(g, outcome.result, from, to);
  ShowRefusal(g, outcome.notice);
  return outcome;
}

}  // namespace zarnath
