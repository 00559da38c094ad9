#include "commands/menu_commands.h"

#include "commands/window_commands.h"
#include "engine/event_notices.h"
#include "engine/game_start.h"
#include "engine/game_window.h"
#include "engine/turn.h"
#include "model/game.h"
#include "net/lobby.h"

namespace zarnath {
namespace {

constexpr const char* kLoseGameQuestion = "You will lose all existing game data, do you want to proceed?";

// A switch's notices of switching on and off.
struct OptionSwitch {
  Switch which;
  const char* onNotice;
  const char* offNotice;
};

constexpr OptionSwitch kSound{Switch::kSound, "- Game Sounds Now On -", "- Game Sounds Now Off -"};
constexpr OptionSwitch kSpeed{Switch::kSpeed, "- Speed Game Now On -", "- Speed Game Now Off -"};
constexpr OptionSwitch kLabels{Switch::kWorldLabels, "- World Labels Now On -", "- World Labels Now Off -"};
constexpr OptionSwitch kShips{Switch::kShipLabels, "- World Ship Labels Now On -",
                              "- World Ship Labels Now Off -"};
constexpr OptionSwitch kTurn{Switch::kTurnTimer, "- Turn Timer Now On -", "- Turn Timer Now Off -"};

// Flips a switch (its item's caption follows) and tells so; true when the option is now on. The
// sound plays by the sound setting as it was before the switch.
bool Flip(Game& g, const OptionSwitch& s) {
  g.window.txtGame.ForeColor = kNeutralColor;
  const bool on = !SwitchOn(g, s.which);
  const bool soundOff = g.SoundOff;
  SetSwitch(g, s.which, on);
  g.window.txtGame.Text = on ? s.onNotice : s.offNotice;
  g.io.screen.Refresh(Control::kTxtGame);
  if (!soundOff) g.io.platform.PlaySound("gameinfo.wav");
  return on;
}

bool AskYesNo(Game& g, const char* text, const char* title) {
  return g.io.platform.MessageBox(text, title, Buttons::kYesNo) == Answer::kYes;
}

// The bar menu and the item that give a command, for the enabled test.
bool CommandEnabled(const GameState& g, MenuCommand command) {
  for (const MenuBarEntry& menu : MenuBar())
    for (const MenuEntry& entry : menu.items)
      if (entry.item && entry.command == command)
        return (g.menus.*menu.title).Enabled && (g.menus.*entry.item).Enabled;
  return false;
}

void Call(const std::function<void()>& hook) {
  if (hook) hook();
}

}  // namespace

void mnuOptionsSound_Click(Game& g) {
  Flip(g, kSound);
}

void mnuOptionsSpeed_Click(Game& g) {
  Flip(g, kSpeed);
}

void mnuOptionsLabels_Click(Game& g) {
  Flip(g, kLabels);
}

void mnuOptionsShips_Click(Game& g) {
  Flip(g, kShips);
  RedrawGalaxy(g);
}

void mnuOptionsTurn_Click(Game& g) {
  if (g.NetworkGame) {
    g.window.txtGame.ForeColor = kNeutralColor;
    return;
  }
  // Switching on resumes the timer with the interval and minutes the turn gave it; a turn that
  // armed none stays untimed until the next turn begins.
  SetTurnTimer(g, g.TurnTimerInterval, Flip(g, kTurn));
}

void mnuOptionsPause_Click(Game& g) {
  if (g.NetworkGame) return;
  // The turn clock does not run while the game is paused.
  const bool running = g.TurnTimerEnabled;
  const int interval = g.TurnTimerInterval;
  if (running) SetTurnTimer(g, interval, false);
  g.io.platform.MessageBox("Game Paused.  To Resume, Click OK", "Zarnath", Buttons::kOk);
  if (running && !g.TurnTimerEnabled && g.TurnTimerInterval == interval) SetTurnTimer(g, interval, true);
}

void mnuFileAutoSave_Click(Game& g) {
  SetAutoSave(g, !g.AutoSaveOn);
}

bool mnuFileNew_Click(Game& g) {
  if (!AskYesNo(g, kLoseGameQuestion, "Start New Game")) return false;
  if (g.NetworkGame) {
    imgStart_Click(g);
    return true;
  }
  // The abandoned game's clocks must not press Done in the setup window.
  StopTurnTimer(g);
  g.io.platform.SetTimer(GameTimer::kAI, 10, false);
  ClearGame(g);
  g.window.Visible = false;
  g.window.SetupVisible = true;
  g.io.screen.ReturnToSetup();
  return true;
}

bool mnuFileNewSS_Click(Game& g) {
  if (!AskYesNo(g, kLoseGameQuestion, "Create New Solar System")) return false;
  imgStart_Click(g);
  return true;
}

bool ImgQuit_Click(Game& g) {
  if (!AskYesNo(g, "Are You Sure You Want To Quit?", "Zarnath")) return false;
  g.io.screen.EndProgram();
  return true;
}

bool Form_QueryUnload(Game& g) {
  return AskYesNo(g, "Are You Sure You Want To Quit?", "Zarnath");
}

bool Form_Resize(Game& g, bool minimised) {
  g.io.screen.Refresh(Control::kWindow);
  if (g.GalaxyCenterX > 0) RedrawGalaxy(g);
  if (g.NetworkGame) return minimised;
  // Only a change starts or stops the clock, so a resize never restarts the running minute.
  if (minimised) {
    if (g.TurnTimerEnabled) SetTurnTimer(g, g.TurnTimerInterval, false);
  } else if (g.TurnTimerOn && !g.TurnTimerEnabled && g.TurnTimerInterval > 0) {
    SetTurnTimer(g, g.TurnTimerInterval, true);
  }
  return false;
}

void ImgHelp_Click(Game& g, const std::function<void()>& showHelp) {
  Call(showHelp);
  if (g.NetworkGame) g.io.screen.Focus(Control::kTxtMessage);
}

void RunMenuCommand(Game& g, MenuCommand command, const MenuHooks& hooks) {
  if (!CommandEnabled(g, command)) return;
  switch (command) {
    case MenuCommand::kNone:
      break;
    case MenuCommand::kFileNew:
      mnuFileNew_Click(g);
      break;
    case MenuCommand::kFileSave:
      Call(hooks.showSaveDialog);
      break;
    case MenuCommand::kFileLoad:
      Call(hooks.showLoadDialog);
      break;
    case MenuCommand::kFileNewSS:
      mnuFileNewSS_Click(g);
      break;
    case MenuCommand::kFileAutoSave:
      mnuFileAutoSave_Click(g);
      break;
    case MenuCommand::kFileExit:
      ImgQuit_Click(g);
      break;
    case MenuCommand::kInfoFleets:
      Call(hooks.showFleetPaths);
      break;
    case MenuCommand::kInfoLabels:
      Call(hooks.labelsButton);
      break;
    case MenuCommand::kInfoStatus:
      ImgStatus_Click(g);
      break;
    case MenuCommand::kInfoHigh:
      Call(hooks.showHighScores);
      break;
    case MenuCommand::kOptionsSound:
      mnuOptionsSound_Click(g);
      break;
    case MenuCommand::kOptionsSpeed:
      mnuOptionsSpeed_Click(g);
      break;
    case MenuCommand::kOptionsLabels:
      mnuOptionsLabels_Click(g);
      break;
    case MenuCommand::kOptionsShips:
      mnuOptionsShips_Click(g);
      break;
    case MenuCommand::kOptionsFleets:
      ImgTravel_Click(g);
      break;
    case MenuCommand::kOptionsTurn:
      mnuOptionsTurn_Click(g);
      break;
    case MenuCommand::kOptionsPause:
      mnuOptionsPause_Click(g);
      break;
    case MenuCommand::kHelpZarnath:
      Call(hooks.showHelp);
      break;
    case MenuCommand::kHelpWeb:
    case MenuCommand::kHelpFAQ:
    case MenuCommand::kHelpMessage:
    case MenuCommand::kHelpChat:
    case MenuCommand::kHelpBug:
      if (hooks.openAddress) hooks.openAddress(HelpAddress(command));
      break;
    case MenuCommand::kHelpAbout:
      Call(hooks.showAbout);
      g.io.platform.Pause(3000);
      break;
  }
}

}  // namespace zarnath
