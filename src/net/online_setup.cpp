#include "net/online_setup.h"

#include "engine/setup_load.h"
#include "model/game.h"
#include "model/setup_rules.h"
#include "net/lobby.h"
#include "net/lobby_files.h"

namespace zarnath {
namespace {

constexpr const char* kTitle = "Zarnath";
constexpr int kMinuteMs = 60000;
constexpr int kClientJoinMs = 15000;
constexpr int kLobbyWorlds = 10;  // the fewest worlds that seat a second player

size_t At(int k) {
  return static_cast<size_t>(k);
}

void ShowSetup(Game& g) {
  g.io.screen.Refresh(Control::kSetupNameBox);
}

// A name shortened as the join option shortens it: cut before its first "_", and a name longer
// than the local set-up's 8 characters loses its last 4.
std::string LocalName(std::string name) {
  if (const size_t cut = name.find('_'); cut != std::string::npos) name.resize(cut);
  if (name.size() > kNameLength) name.resize(name.size() - 4);
  return name;
}

ServerRow TableRow(const SetupState& s, int row) {
  ServerRow r;
  r.cells = s.lstServer[At(row)];
  return r;
}

}  // namespace

bool OnlineBoxAllowed(Game& g) {
  SetupState& s = g.setup;
  if (s.chkOnline != 1) return false;
  if (!s.txtPL[0].empty() && s.chkAI[0] != 1) return true;
  g.io.platform.MessageBox(s.txtPL[0].empty() ? "You Must Enter Your Name First!"
                                              : "Computer Players Can Not Play Internet/LAN Games!",
                           kTitle, Buttons::kOk);
  s.chkOnline = 0;
  LeaveOnlineMode(g);
  g.io.screen.Focus(Control::kSetupNameBox);
  return false;
}

void OnlineReset(Game& g) {
  SetupState& s = g.setup;
  s.helpVisible = true;
  s.txtIP.clear();
  g.io.platform.SetTimer(GameTimer::kServerRefresh, kMinuteMs, false);
  s.Label5Visible = false;
  for (int k = 0; k < kSeats; ++k) {
    s.levelVisible[At(k)] = s.chkAI[At(k)] == 1;  // only a computer in seat 0 stays
    s.lblStatusVisible[At(k)] = false;
    s.txtPLLocked[At(k)] = false;
    s.chkAIEnabled[At(k)] = true;
  }
  s.optionsEnabled = s.worldBarEnabled = true;
  s.truceEnabled = true;
  for (int k = 1; k < kSeats; ++k) {
    s.lblStatus[At(k)].clear();
    SetComputerBox(g, k, 0);  // an emptied seat is no computer either
    SetName(g, k, "");
  }
  s.Label10 = "Game Options:";
  s.chatVisible = false;
  g.io.net.CloseAll();
  g.Seated = {};
  g.MarksStates = {};
  g.StatesUnmarked = {};
  g.NetworkGame = false;
}

void OnlineLobbySetUp(Game& g) {
  SetupState& s = g.setup;
  s.lobbyLayout = true;
  if (s.chkLan == 1) {
    s.chkLan = 0;
    chkLan_Click(g);
  }
  s.txtIPEnabled = false;
  s.OptServerClientEnabled = true;
  if (s.VScroll1 < kLobbyWorlds) SetWorldBar(g, kLobbyWorlds);
  s.txtPLLocked[0] = true;
  if (!g.NetworkGame) {
    // Only people at other computers play an internet game, and Start waits for the first.
    for (int k = 0; k < kSeats; ++k) {
      SetComputerBox(g, k, 0);
      s.chkAIEnabled[At(k)] = false;
    }
    for (int k = 1; k < kSeats; ++k) {
      SetName(g, k, "");
      s.txtPLLocked[At(k)] = true;
    }
    s.truceEnabled = true;
    s.ImgStartVisible = false;
  }
  s.lstServer.clear();
  s.ServerListRow = -1;
  ShowSetup(g);
}

void LeaveOnlineMode(Game& g) {
  SetupState& s = g.setup;
  OnlineReset(g);
  // A join still under way ends with online mode.
  g.io.platform.SetTimer(GameTimer::kClientJoin, kClientJoinMs, false);
  s.lobbyLayout = false;
  s.lstServer.clear();
  s.ServerListRow = -1;
  s.Label9 = "Active Servers:  Double Click To Start";
  TickTruceBox(g, 0);
  s.truceEnabled = false;
  s.ImgStartVisible = true;
  for (int k = 0; k < kSeats; ++k) {
    if (k > 0) s.txtPLLocked[At(k)] = false;
    s.chkAIEnabled[At(k)] = true;
  }
  if (HostRole(g)) {
    s.OptServerClient0 = false;
    OptServerClient_Click(g, 1);
  }
  s.OptServerClientEnabled = false;
  s.txtPLLocked[0] = false;
  SetName(g, 0, LocalName(s.txtPL[0]));
  ShowSetup(g);
}

void ShowServerList(Game& g, const ServerTable& table) {
  SetupState& s = g.setup;
  // A list that comes while this player joins a server (its status shown) leaves the table as the
  // join left it: the row tried stays the one a failure excludes.
  if (!HostRole(g) && s.lblStatusVisible[0]) return;
  if (!HostRole(g)) g.io.platform.SetTimer(GameTimer::kServerRefresh, kMinuteMs, true);
  s.lstServer.clear();
  for (const ServerRow& row : table.rows) s.lstServer.push_back(row.cells);
  s.lstServerEnabled = table.enabled;
  s.ServerListRow = -1;
  ShowSetup(g);
  // The servers, or the host's own game: not the notice that none was found.
  if (table.enabled && !table.rows.empty()) g.io.platform.PlaySound("gameinfo.wav");
}

void ExcludeTableRow(Game& g, int row) {
  const SetupState& s = g.setup;
  if (row < 0 || row >= static_cast<int>(s.lstServer.size())) return;
  ExcludeServerRow(g, TableRow(s, row));
}

void ExcludeLastTableRow(Game& g) {
  ExcludeTableRow(g, static_cast<int>(g.setup.lstServer.size()) - 1);
}

void ServerTableJoin(Game& g) {
  if (RefusesUnkeptNames(g)) return;
  HandOverToHost(g);
  g.setup.lstServerEnabled = false;
  ShowSetup(g);
}

void tmrServer_Timer(Game& g) {
  SetupState& s = g.setup;
  --s.tmrServerTag;
  const bool hosting = HostRole(g) && !g.GameInProgress && (s.chkLan == 1 || s.chkOnline == 1);
  if (s.tmrServerTag > 0 && hosting) {
    g.io.platform.SetTimer(GameTimer::kServerRepublish, kMinuteMs, true);
    return;
  }
  g.io.platform.SetTimer(GameTimer::kServerRepublish, kMinuteMs, false);
  if (!hosting) return;
  ExcludeLastTableRow(g);
  OptServerClient_Click(g, 0);
}

void tmrConnect_Timer(Game& g) {
  // The refresh belongs to the lobby: in a game it would close the link to the host.
  if (g.setup.chkOnline == 1 && !HostRole(g) && !g.GameInProgress)
    g.io.net.RefreshOnlineLobby();
  else
    g.io.platform.SetTimer(GameTimer::kServerRefresh, kMinuteMs, false);
}

}  // namespace zarnath
