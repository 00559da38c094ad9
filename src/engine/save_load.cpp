#include "engine/save_load.h"

#include "engine/game_window.h"
#include "engine/menu_state.h"
#include "engine/net_send.h"
#include "engine/turn.h"
#include "model/game.h"
#include "model/game_texts.h"
#include "model/numbers.h"
#include "model/state_check.h"
#include "model/view_geometry.h"
#include "persist/atomic_file.h"
#include "persist/saved_game.h"

namespace zarnath {
namespace {

constexpr const char* kErrorTitle = "Zarnath Error";
// A game whose host was lost, or left, while its turn resolved or its new state came in.
constexpr const char* kPartWayRefusal =
    "The game was not saved.\rThe connection with the server ended part-way through a turn or a new "
    "game, so no whole turn of this game is left to save.";
// A game still coming from the host: part of it is here, none of it whole.
constexpr const char* kComingRefusal =
    "The game was not saved.\rThe server is still sending its game, so no whole turn of it is here to "
    "save yet.";
// The game ended (a conquest, a new game) or never began: the records hold no game.
constexpr const char* kNoGameRefusal =
    "The game was not saved.\rNo game is in progress, so there is nothing to save.";
// A save that waited for a step of the game to end, and found another game in the records.
constexpr const char* kReplacedRefusal =
    "The game was not saved.\rThe game it was chosen for was replaced by another (a loaded game, a new "
    "game or a new state from the server) while the save waited for the turn to finish.";
// A network client's game is the host's.
constexpr const char* kClientLoadRefusal =
    "The game was not loaded.\rThis computer is a client in a network game: its game comes from the "
    "server, so it cannot load a game of its own.";
// The error number of a file that cannot be read as a saved game: it cannot be read or entered,
// it is a folder or a device, or it is far too large.
constexpr int kErrFileAccess = 75;

void ShowError(Game& g, const std::string& text) {
  g.io.platform.MessageBox(text, kErrorTitle, Buttons::kOk);
}

// The move-log box: the last 2000 characters of the log of the seat to move, ending in a line
// break.
void ShowMoveLog(Game& g) {
  const int p = g.CurrentPlayer;
  g.window.txtMove.Text = MoveLogBoxText(p >= 0 && p < kSeats ? g.PlayerLog[p] : std::string());
  g.window.txtMove.Visible = true;
  g.io.screen.Refresh(Control::kTxtMove);
}

}  // namespace

bool SaveRefused(Game& g) {
  // A state coming now says more than a game left part-way before it.
  if (g.StateComing) {
    ShowError(g, kComingRefusal);
    return true;
  }
  if (g.StateLeftPartWay) {
    ShowError(g, kPartWayRefusal);
    return true;
  }
  // What the loader would refuse is never written over a file: a game that is gone leaves empty
  // records behind (a game lost between turns keeps its own, and saves).
  if (const auto fault = CheckGameState(g.state())) {
    ShowError(g, g.GameInProgress ? "The game was not saved.\r" + fault->Text() : kNoGameRefusal);
    return true;
  }
  return false;
}

bool LoadRefused(Game& g) {
  if (!IsNetworkClient(g)) return false;
  ShowError(g, kClientLoadRefusal);
  return true;
}

bool SaveGame(Game& g, const std::string& path) {
  return SaveGame(g, path, g.GameNumber);
}

bool SaveGame(Game& g, const std::string& path, uint32_t chosenFor) {
  if (SaveRefused(g)) return false;
  if (g.GameNumber != chosenFor) {
    ShowError(g, kReplacedRefusal);
    return false;
  }
  std::string error;
  if (WriteSavedGame(g.state(), path, &error)) return true;
  ShowError(g, "The game was not saved.\r" + error);
  return false;
}

LoadOutcome LoadSavedGame(Game& g, const std::string& path) {
  std::string bytes, why;
  switch (ReadRegularFile(path, bytes, &why)) {
    case FileRead::kRead:
      break;
    case FileRead::kMissing:
      ShowError(g, "   File Not Found!   ");
      return LoadOutcome::kNotFound;
    case FileRead::kUnreadable:
    case FileRead::kNotAFile:
    case FileRead::kTooLarge:
      ShowError(g, SavedGameRefusal{kErrFileAccess, why}.Message());
      return LoadOutcome::kRefused;
  }
  SavedGameRead read = ReadSavedGame(g.state(), bytes);
  if (!read.state) {
    ShowError(g, read.refusal.Message());
    return LoadOutcome::kRefused;
  }
  g.state() = std::move(*read.state);
  g.StateLeftPartWay = false;
  // The game that was running is gone: the Done its computer player had yet to press, or its
  // turn's clock running out, would end the turn of the loaded game's seat. The loaded turn's
  // start arms its own clock.
  g.io.platform.SetTimer(GameTimer::kAI, 10, false);
  StopTurnTimer(g);
  // Who has left is a matter of the game that was running, not of the loaded one.
  g.PlayerGone.fill(false);
  // The file's production option, or for a file without options the setup's.
  g.MaxProduction = Val(g.setup.txtOp[0]);
  // The file holds neither the sound setting nor AutoSave: both go on as they were, the Sound
  // item's caption saying what sound does, AutoSave counting from the loaded year.
  SetSoundOff(g, g.SoundOff);
  SetAutoSave(g, g.AutoSaveOn);

  // The game window is laid out afresh and shown with the loaded game, the setup window (left
  // behind the Load dialog by a new game or a lost host) hidden as at a game's start.
  g.window.SetupVisible = false;
  g.io.screen.HideSetupWindow();
  g.window.Visible = false;
  if (!FormSetup(g)) return LoadOutcome::kProgramEnded;
  g.window.txtMove.Visible = false;
  g.window.Visible = true;
  g.io.screen.Refresh(Control::kWindow);

  g.SelectedFrom = g.SelectedTo = -1;
  g.TurnDone = g.HideFleets = g.InputBusy = g.GameOver = false;
  g.GameLoaded = true;
  g.GameInProgress = true;
  g.PlayerColor = kPlayerColors;

  g.Role = RoleOfSetup(g);
  // A client's game, which comes from its host, is the only one that starts or loads none here.
  g.menus.mnuFileNew.Enabled = g.menus.mnuFileLoad.Enabled = g.menus.mnuFileNewSS.Enabled =
      !IsNetworkClient(g);
  if (IsNetworkHost(g)) {
    g.CurrentPlayer = 0;
    // As at a new game's start: the clients' frames wait until the loaded game's turn is open.
    g.io.net.HoldClientFrames(true);
    // A seat of the file whose client is not here (it left, or never joined) is gone from the
    // game: it shows so everywhere and no turn waits on it.
    MarkUnlinkedSeatsGone(g);
    SetAllTakingTurn(g);
    g.io.flow.GalaxySync();
  }
  g.window.Caption = SeatCaption(g);
  g.window.txtGame.Text.clear();
  g.io.flow.GameCheck();
  if (g.CurrentPlayer >= 0 && g.CurrentPlayer < kSeats && g.setup.chkAI[g.CurrentPlayer] == 0)
    g.io.screen.Console();
  ShowMoveLog(g);
  g.io.net.HoldClientFrames(false);
  return LoadOutcome::kLoaded;
}

}  // namespace zarnath
