// The Command menu's send commands, which the travel options popup runs for its rows: a share of
// the source world's ships, a scout or an annihilation bomb from the selected source to the
// selected target, and the reasons the window shows when a launch was refused.
#pragma once

#include <array>
#include <string>

#include "model/fleet_table.h"

namespace zarnath {
class Game;
struct GameState;

// Whether a command given from a panel, a popup or a dialog may run now: never while a turn is
// being resolved, and only while a human seat is to move (a computer's turn gives its own orders).
// A refused command changes nothing, the busy flag included. (The pulse-bomb row runs the computer
// player's mnuComSendPulse_Click behind this same test.)
bool PanelCommandMayRun(const GameState& g);

// The notice for a refused launch from world `from` to world `to`; empty for a launch and for an
// order without a source or target, which stays silent.
std::string LaunchRefusalText(const GameState& g, LaunchResult result, int from, int to);

enum class SendCommand { kScout, kAll, k75, k50, k25, k10, kBomb };

struct SendCommandItem {
  SendCommand command;
  const char* caption;  // the Command menu item's caption
  float code;           // the share code passed to the launch
};
inline constexpr std::array<SendCommandItem, 7> kSendCommands = {{
    {SendCommand::kScout, "Send A Scout Ship Between Worlds", 1.0f},
    {SendCommand::kAll, "Send 100% of Ships Between Worlds", 100.0f},
    {SendCommand::k75, "Send 75% of Ships Between Worlds", 75.0f},
    {SendCommand::k50, "Send 50% of Ships Between Worlds", 50.0f},
    {SendCommand::k25, "Send 25% of Ships Between Worlds", 25.0f},
    {SendCommand::k10, "Send 10% of Ships Between Worlds", 10.0f},
    {SendCommand::kBomb, "Send A Bomb To World", 9999.0f},
}};

struct SendOutcome {
  bool ran = false;  // false: no source selected, or a turn is being resolved
  LaunchResult result = LaunchResult::kNothingSelected;
  std::string notice;  // the refusal shown in the notice line, empty when none
};

// Launches the command's object from the selected source to the selected target. A refused
// launch is explained in the notice line for 1500 ms, then the line is cleared.
SendOutcome RunSendCommand(Game& g, SendCommand command);

inline SendOutcome mnuComSendScout_Click(Game& g) {
  return RunSendCommand(g, SendCommand::kScout);
}
inline SendOutcome mnuComSendAll_Click(Game& g) {
  return RunSendCommand(g, SendCommand::kAll);
}
inline SendOutcome mnuComSend75_Click(Game& g) {
  return RunSendCommand(g, SendCommand::k75);
}
inline SendOutcome mnuComSend50_Click(Game& g) {
  return RunSendCommand(g, SendCommand::k50);
}
inline SendOutcome mnuComSend25_Click(Game& g) {
  return RunSendCommand(g, SendCommand::k25);
}
inline SendOutcome mnuComSend10_Click(Game& g) {
  return RunSendCommand(g, SendCommand::k10);
}
inline SendOutcome mnuComSendBomb_Click(Game& g) {
  return RunSendCommand(g, SendCommand::kBomb);
}

// Shows a refused launch's notice for 1500 ms (nothing for an empty text).
void ShowRefusal(Game& g, const std::string& notice);

}  // namespace zarnath
