#include "engine/game_start.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "engine/game_window.h"
#include "engine/menu_state.h"
#include "engine/net_send.h"
#include "model/galaxy.h"
#include "model/game.h"
#include "model/game_texts.h"
#include "model/numbers.h"
#include "model/view_geometry.h"
#include "persist/defaults_file.h"

namespace zarnath {
namespace {

void SetOptionMenus(Game& g) {
  GameMenus& m = g.menus;
  const SetupState& s = g.setup;
  m.mnuOptionsTruce = {"No Battle Truce", false, m.mnuOptionsTruce.Enabled};
  g.TruceUntilTurn = 0;
  if (s.chkTruce == 1 && s.txtTruce != "0") {
    if (auto turn = RoundInto(Val(s.txtTruce), -32768, 32767)) g.TruceUntilTurn = static_cast<int16_t>(*turn);
    m.mnuOptionsTruce.Caption = "Battle Truce Until Turn #" + s.txtTruce;
    m.mnuOptionsTruce.Checked = true;
  }
  m.mnuOptionsBattle.Checked = s.chkMode == 1;
  m.mnuOptionsBattle.Caption = s.chkMode == 1 ? "Defensive Battle Mode" : "Offensive Battle Mode";
  m.mnuOptionsShield.Checked = s.chkShield == 1;
  m.mnuOptionsShield.Caption =
      s.chkShield == 1 ? "Ships Travel With Shields" : "Ships Do Not Travel With Shields";
  m.mnuOptionsProd.Caption = "Maximum World Production = " + s.txtOp[0];
  m.mnuOptionsTreas.Caption = "World Treasures = " + s.txtOp[1];
  m.mnuOptionsGath.Caption = "Maximum Gather/Scout Turns = " + s.txtOp[2];
  m.mnuOptionsRadar.Caption = s.OptRadar[0]   ? "Home World Radar On"
                              : s.OptRadar[1] ? "Home World Radar Off"
                                              : "Home World Radar Unlimited";
}

// The world count as the setup window keeps it: 9 to 30, and large enough for every filled seat's
// home world to be in play.
void SetWorldCount(Game& g) {
  if (auto n = RoundInto(Val(g.setup.txtPlanets), 0, 255)) g.WorldCount = static_cast<uint8_t>(*n);
  int least = 9;
  for (int p = 0; p < kSeats; ++p)
    if (!g.setup.txtPL[p].empty()) least = std::max(least, 9 + p);
  g.WorldCount = static_cast<uint8_t>(std::clamp(static_cast<int>(g.WorldCount), least, kMaxWorlds));
}

// The internet lobby's shared clock: the local clock plus the measured offset.
std::time_t SharedClockNow(const GameState& g) {
  const double bias = std::isfinite(g.TimeBias) && std::fabs(g.TimeBias) < 1e9 ? g.TimeBias : 0.0;
  return std::chrono::system_clock::to_time_t(std::chrono::system_clock::now()) +
         static_cast<std::time_t>(std::llround(bias));
}

}  // namespace

std::string OnlineGameLogLine(const GameState& g, std::time_t sharedNow) {
  std::tm tm{};
  localtime_r(&sharedNow, &tm);
  char when[32];
  std::strftime(when, sizeof when, "%d/%m/%Y %H:%M:%S", &tm);
  const SetupState& s = g.setup;
  const GameMenus& m = g.menus;
  return std::string("ZQ v1.40.0143 Game Start: ") + when + ", Players: " + s.txtPL[0] + " " + s.txtPL[1] +
         " " + s.txtPL[2] + " " + s.txtPL[3] + ", Planets: " + s.txtPlanets + ", " +
         m.mnuOptionsTruce.Caption + ", " + m.mnuOptionsShield.Caption + ", " + m.mnuOptionsBattle.Caption +
         ", " + m.mnuOptionsProd.Caption + ", " + m.mnuOptionsTreas.Caption + ", " +
         m.mnuOptionsGath.Caption + ", " + m.mnuOptionsRadar.Caption;
}

void StartNewGame(Game& g) {
  SetupState& s = g.setup;
  g.io.net.CloseSocket(0);
  g.Role = RoleOfSetup(g);
  if (!FormSetup(g)) return;
  if (s.chkAI[0] == 0 && !g.NetworkGame) WriteDefaults(g.programFolder, s);
  g.io.net.StopLobbyTimers();
  g.SelectedFrom = g.SelectedTo = -1;
  SetWorldCount(g);
  g.menus.mnuFileNew.Enabled = g.menus.mnuFileLoad.Enabled = g.menus.mnuFileNewSS.Enabled = true;
  SetOptionMenus(g);
  g.MaxProduction = Val(s.txtOp[0]);

  ClearGame(g);
  GenerateWorlds(g);
  g.window.SetupVisible = false;
  g.io.screen.HideSetupWindow();
  g.GameYear = 1.0f;
  g.CurrentPlayer = 0;
  g.BattleDelay = 0;
  SetAutoSave(g, g.AutoSaveOn);  // AutoSave as switched, counted from year 1
  g.window.txtMove.Text.clear();
  g.window.txtGame.Text.clear();
  g.window.txtMessage.Text.clear();
  g.window.txtChat.Renew();
  for (int p = 0; p < kSeats; ++p) g.PlayerName[p].clear();
  PlaceSeats(g);
  g.GameInProgress = true;

  if (IsNetworkHost(g)) {
    if (s.chkOnline == 1) g.io.net.AppendOnlineGameLog(OnlineGameLogLine(g, SharedClockNow(g)));
    // A client that has its state may give orders and press Done at once: they wait in its
    // socket until every client has the game and the first turn is open.
    g.io.net.HoldClientFrames(true);
    // A seat named in the setup whose client has left since is gone from the new game too.
    MarkUnlinkedSeatsGone(g);
    SetAllTakingTurn(g);
    g.io.flow.GalaxySync();
    g.io.screen.Focus(Control::kTxtMessage);
  }

  g.SpeedGame = false;
  SetSoundOff(g, false);
  SetAllTakingTurn(g);
  g.ProxFrom = g.ProxTo = -1;
  g.TurnDone = g.HideFleets = g.InputBusy = g.TurnResolving = g.GameOver = g.SoundOff = false;
  ShowSwitches(g);
  g.io.flow.GameCheck();
  g.window.Visible = true;
  g.io.screen.Refresh(Control::kWindow);
  g.io.net.HoldClientFrames(false);
}

}  // namespace zarnath
