#include "net/lobby.h"

#include <cmath>

#include "engine/event_notices.h"
#include "engine/game_start.h"
#include "engine/net_send.h"
#include "engine/setup_load.h"
#include "engine/turn.h"
#include "model/game.h"
#include "model/numbers.h"
#include "model/setup_rules.h"
#include "net/online_setup.h"
#include "net/protocol.h"
#include "persist/defaults_file.h"

namespace zarnath {
namespace {

constexpr int kLobbyStartMs = 10000;
constexpr int kClientJoinMs = 15000;
constexpr int kMinuteMs = 60000;
constexpr int kRepublishTicks = 5;
constexpr const char* kTitle = "Zarnath";

size_t At(int k) {
  return static_cast<size_t>(k);
}

void ShowSetup(Game& g) {
  g.io.screen.Refresh(Control::kSetupNameBox);
}

// The seat a client numbers `view` (1 the host, 2 and 3 the other clients).
int SeatOfView(int receiver, int view) {
  if (view == 1) return 0;
  int seen = 1;
  for (int k = 1; k < kSeats; ++k) {
    if (k == receiver) continue;
    if (++seen == view) return k;
  }
  return -1;
}

// The chat area replaces the options panel the first time a connection completes.
void OpenChatArea(Game& g) {
  SetupState& s = g.setup;
  if (s.chatVisible) return;
  s.Label10 = "Player Chat";
  s.chatVisible = true;
  s.txtChat.Renew("Connected...\r\n");
  g.io.screen.Focus(Control::kTxtMessage);
}

void CloseChatArea(SetupState& s) {
  s.Label10 = "Game Options:";
  s.chatVisible = false;
}

void ListenAgain(Game& g) {
  if (g.io.net.Listening()) return;
  std::string error;
  if (!g.io.net.StartListening(&error) && !error.empty())
    g.io.platform.MessageBox(error, "Zarnath Error", Buttons::kOk);
}

void CloseEverything(Game& g) {
  g.io.net.CloseAll();
  g.Seated = {};
  g.AwaitingName = {};
  g.io.platform.SetTimer(GameTimer::kNameWait, kNameWaitTickMs, false);
}

void ChatSound(Game& g) {
  if (!g.SpeedGame && !g.SoundOff) g.io.platform.PlaySound("message.wav");
}

// Every seat that could pass the seat test is held: nobody else can join.
bool LobbyFull(const Game& g) {
  const int worlds = LobbyWorlds(g);
  for (int k = 1; k < kSeats; ++k)
    if (SeatFits(worlds, k) && !g.Seated[At(k)]) return false;
  return true;
}

// A lobby full of seated clients has closed its listener; one with a free seat listens.
bool SeatFree(const Game& g) {
  const bool anyone = g.Seated[1] || g.Seated[2] || g.Seated[3];
  return !anyone || !LobbyFull(g);
}

// The private-address question answered Yes: online mode ends and a LAN game is set up, ready
// to host or join.
void SwitchToLan(Game& g) {
  SetupState& s = g.setup;
  s.chkOnline = 0;
  LeaveOnlineMode(g);
  g.io.platform.SetTimer(GameTimer::kServerRepublish, kMinuteMs, false);
  g.io.platform.SetTimer(GameTimer::kClientJoin, kClientJoinMs, false);
  s.chkLan = 1;
  chkLan_Click(g);
}

// The wait for names ends when no connection awaits one.
void StopNameWaitUnlessAwaited(Game& g) {
  for (int k = 1; k < kSeats; ++k)
    if (g.AwaitingName[At(k)]) return;
  g.io.platform.SetTimer(GameTimer::kNameWait, kNameWaitTickMs, false);
}

// The others learn seat `seat`'s name as its box holds it, each in its own numbering.
void TellOthersTheName(Game& g, int seat) {
  const std::string name = g.setup.txtPL[At(seat)];
  for (int k = 1; k < kSeats; ++k)
    if (k != seat) NetSend(g, Frame(Tag::kName, ViewIndex(k, seat), name), SendPace::kYield, k);
}

void HostLeavesGameSeat(Game& g, int seat) {
  const size_t n = At(seat);
  const std::string name = g.PlayerName[n];
  if (name.empty()) return;  // a connection that never held a seat
  g.SeatStatus[n] = TurnStatus::kDisconnected;
  g.io.screen.Refresh(Control::kLblStatus);
  // The clients learn it at once, not after this machine's announcement.
  HostSend(g, Frame(Tag::kStatus, seat, StatusCaption(g, seat)));
  if (!g.PlayerGone[n]) {
    g.window.lblPlanet.Caption = "\r\n    " + name + " Disconnected!    \r\n";
    g.window.lblPlanet.Alignment = 2;
    g.window.lblPlanet.Visible = true;
    ShowNotice(g, kNeutralColor, "- " + name + ":  Disconnected! -");
    g.io.screen.Refresh(Control::kLblPlanet);
    g.io.screen.Refresh(Control::kWindow);
    g.io.platform.Pause(5000);
    g.window.lblPlanet.Alignment = 0;
    g.window.lblPlanet.Visible = false;
    g.io.screen.Refresh(Control::kLblPlanet);
    g.PlayerGone[n] = true;
  }
}

// A connection opened or closed on seat `seat`: whatever its last client said of itself is gone.
void ForgetStateMarks(Game& g, int seat) {
  g.MarksStates[At(seat)] = false;
  g.StatesUnmarked[At(seat)] = 0;
}

}  // namespace

bool SeatFits(int worlds, int seat) {
  return worlds >= seat + 9;
}

int LobbyWorlds(const Game& g) {
  const double v = Val(g.setup.txtPlanets);
  return std::isfinite(v) && v > 0 && v < 1000 ? static_cast<int>(v) : 0;
}

int ViewIndex(int receiver, int seat) {
  if (seat == 0) return 1;
  if (seat == receiver) return 0;
  int view = 1;
  for (int k = 1; k < kSeats; ++k) {
    if (k == receiver) continue;
    ++view;
    if (k == seat) return view;
  }
  return -1;
}

std::string WrapChat(std::string t) {
  size_t s = 1, k = 60;
  while (k < t.size()) {
    if (t[k - 1] == ' ' || k == s) {
      if (k == s) k = s + 59;
      t = t.substr(0, k) + "\r\n\t" + t.substr(k);
      s = k + 4;
      k += 64;
    } else {
      k = k - 1 < s ? s : k - 1;
    }
  }
  return t;
}

bool AddressKeyPasses(int keyAscii) {
  return keyAscii == '.' || (keyAscii >= '0' && keyAscii <= '9') || (keyAscii >= 0 && keyAscii <= 13);
}

// --- the network boxes ---

bool AsksToSwitchToLan(const SetupState& s, std::string_view address) {
  return s.chkLan == 0 && (address.starts_with("192.168") || address.starts_with("10.0"));
}

void chkLan_Click(Game& g) {
  SetupState& s = g.setup;
  if (s.chkLan == 1 && (s.txtPL[0].empty() || s.chkAI[0] == 1)) {
    g.io.platform.MessageBox(s.txtPL[0].empty() ? "You Must Enter Your Name First!"
                                                : "Computer Players Can Not Play Internet/LAN Games!",
                             kTitle, Buttons::kOk);
    s.chkLan = 0;
    chkLan_Click(g);
    g.io.screen.Focus(Control::kSetupNameBox);
    return;
  }
  if (s.chkLan == 1) {
    if (s.chkOnline == 1) {
      s.chkOnline = 0;
      LeaveOnlineMode(g);
    }
    s.txtIPEnabled = true;
    s.txtIPLocked = false;
    s.txtIP.clear();
    g.io.screen.Focus(Control::kTxtIP);
    s.OptServerClientEnabled = true;
    for (int k = 0; k < kSeats; ++k) {
      SetComputerBox(g, k, 0);
      s.chkAIEnabled[At(k)] = false;
    }
    s.helpVisible = true;
    s.Label5Visible = false;
    for (int k = 0; k < kSeats; ++k) s.levelVisible[At(k)] = s.lblStatusVisible[At(k)] = false;
    for (int k = 1; k < kSeats; ++k) SetName(g, k, "");
    s.ImgStartVisible = false;
  } else if (s.chkOnline == 0) {
    NetworkOffReset(g);
  }
  ShowSetup(g);
}

void NetworkOffReset(Game& g) {
  SetupState& s = g.setup;
  s.txtIPEnabled = s.txtIPLocked = false;
  s.txtIP.clear();
  s.OptServerClient0 = false;
  g.Role = NetRole::kLocal;
  s.OptServerClientEnabled = false;
  g.io.platform.SetTimer(GameTimer::kLobbyStart, kLobbyStartMs, false);
  g.io.platform.SetTimer(GameTimer::kClientJoin, kClientJoinMs, false);
  g.io.platform.SetTimer(GameTimer::kServerRepublish, kMinuteMs, false);
  s.Label5Visible = false;
  for (int k = 0; k < kSeats; ++k) {
    s.lblStatusVisible[At(k)] = false;
    s.txtPLLocked[At(k)] = false;
    s.chkAIEnabled[At(k)] = true;
  }
  for (int k = 1; k < kSeats; ++k) {
    SetComputerBox(g, k, 0);  // an emptied seat is no computer either
    SetName(g, k, "");
    s.lblStatus[At(k)].clear();
  }
  s.optionsEnabled = s.worldBarEnabled = true;
  s.Label9.clear();
  s.helpVisible = true;
  CloseChatArea(s);
  CloseEverything(g);
  g.NetworkGame = false;
  s.ImgStartVisible = true;
}

void OptServerClient_Click(Game& g, int index) {
  SetupState& s = g.setup;
  if (s.chkLan == 0 && s.chkOnline == 0) {
    s.OptServerClient0 = false;
    g.Role = NetRole::kLocal;
    s.OptServerClientEnabled = false;
    g.io.platform.SetTimer(GameTimer::kServerRepublish, kMinuteMs, false);
    g.io.platform.SetTimer(GameTimer::kClientJoin, kClientJoinMs, false);
    ShowSetup(g);
    return;
  }
  // Only a host that gives up hosting leaves its own record behind in the table.
  const bool leavesHosting = index == 1 && HostRole(g);
  // The lobby hosts or joins as its option says.
  if (index == 0 || index == 1) g.Role = index == 0 ? NetRole::kHost : NetRole::kClient;
  if (!HostRole(g)) CloseEverything(g);
  g.io.platform.PlaySound("click1.wav");
  if (index == 0) {
    g.io.platform.SetTimer(GameTimer::kServerRefresh, kMinuteMs, false);
    g.io.platform.SetTimer(GameTimer::kClientJoin, kClientJoinMs, false);
    s.txtIP = g.io.net.LocalAddress();
    s.txtIPLocked = true;
    // Players outside a private network cannot reach it: a network game is offered instead.
    if (AsksToSwitchToLan(s, s.txtIP) &&
        g.io.platform.MessageBox(kSwitchToLanQuestion, kSwitchToLanTitle, Buttons::kYesNo) == Answer::kYes) {
      SwitchToLan(g);
      ShowSetup(g);
      return;
    }
    if (s.chkOnline == 1) g.io.net.PublishOnline();
    s.Label9 = "To Remove A Client, Click On Name Above";
    s.helpVisible = false;
    s.Label5Visible = true;
    for (int k = 0; k < kSeats; ++k) s.lblStatusVisible[At(k)] = true;
    s.lblStatus[0] = "Running Server...";
    s.txtPLLocked[0] = true;
    s.optionsEnabled = s.worldBarEnabled = false;
    g.PlayerName[0] = s.txtPL[0];
    if (!g.NetworkGame)
      for (int k = 1; k < kSeats; ++k) s.lblStatus[At(k)] = "Waiting for Client...";
    if (SeatFree(g)) ListenAgain(g);
    // The game is announced again every five minutes while the host waits.
    s.tmrServerTag = kRepublishTicks;
    g.io.platform.SetTimer(GameTimer::kServerRepublish, kMinuteMs, true);
    ShowSetup(g);
    if (s.chkOnline == 1) g.io.net.RefreshOnlineLobby();
  } else if (index == 1) {
    s.Label9 = "Active Servers:  Double Click To Start";
    g.io.platform.SetTimer(GameTimer::kServerRepublish, kMinuteMs, false);
    s.txtIP.clear();
    s.txtIPLocked = false;
    s.helpVisible = true;
    s.Label5Visible = false;
    for (int k = 0; k < kSeats; ++k) s.lblStatusVisible[At(k)] = false;
    std::string name = s.txtPL[0];
    if (const size_t cut = name.find('_'); cut != std::string::npos) name.resize(cut);
    if (name.size() > kNameLength) name.resize(name.size() - 4);
    s.txtPLLocked[0] = false;
    SetName(g, 0, name);
    if (s.chkLan == 1) {
      s.txtIPEnabled = true;
      g.io.screen.Focus(Control::kTxtIP);
    }
    for (int k = 1; k < kSeats; ++k) {
      s.lblStatus[At(k)].clear();
      SetName(g, k, "");
    }
    // Only the world-count bar comes back; the other options stay as host mode left them.
    s.worldBarEnabled = true;
    s.txtPLLocked[0] = true;
    // The table's last row is this host's own game then; a click on the join option already
    // chosen must not hide another server's row.
    if (leavesHosting) ExcludeLastTableRow(g);
    ShowSetup(g);
    if (s.chkOnline == 1) g.io.net.RefreshOnlineLobby();
    return;
  }
  ShowSetup(g);
}

// --- joining ---

void imgStart_Click(Game& g) {
  SetupState& s = g.setup;
  if (s.txtPL[0].empty()) {
    g.io.platform.MessageBox("You Must Enter Your Name First!", "Zarnath", Buttons::kOk);
    g.io.screen.Focus(Control::kSetupNameBox);
    return;
  }
  if (s.chkLan == 1 && !s.OptServerClient0) {
    if (!s.txtIP.empty()) JoinHost(g);
    return;
  }
  if (RefusesUnkeptNames(g)) return;
  StartNewGame(g);
}

void HandOverToHost(Game& g) {
  SetupState& s = g.setup;
  g.Role = NetRole::kClient;
  g.io.platform.SetTimer(GameTimer::kServerRefresh, kMinuteMs, false);
  g.io.platform.SetTimer(GameTimer::kClientJoin, kClientJoinMs, true);
  s.helpVisible = false;
  s.lblStatus[0] = "Running Client...";
  s.Label5Visible = true;
  for (int k = 0; k < kSeats; ++k) s.lblStatusVisible[At(k)] = true;
  // The host's options rule the game: a joining player's are fixed.
  s.txtPLLocked[0] = true;
  s.optionsEnabled = s.worldBarEnabled = false;
  s.OptServerClientEnabled = false;
  g.PlayerName[0] = s.txtPL[0];
  g.io.net.ConnectToHost();
  s.lblStatus[1] = "Looking for Server...";
  s.lblStatus[2] = s.lblStatus[3] = "Waiting for Client...";
  s.ImgStartVisible = false;
}

void JoinHost(Game& g) {
  SetupState& s = g.setup;
  if (s.txtPL[0].empty()) {
    g.io.platform.MessageBox("You Must Enter Your Name First!", kTitle, Buttons::kOk);
    return;
  }
  if (s.txtIP.empty() || RefusesUnkeptNames(g)) return;
  HandOverToHost(g);
  ShowSetup(g);
}

void tmrClient_Timer(Game& g) {
  SetupState& s = g.setup;
  g.io.platform.SetTimer(GameTimer::kClientJoin, kClientJoinMs, false);
  g.io.platform.MessageBox("Server Has Timed Out!", kTitle, Buttons::kOk);
  // The server that did not answer stays out of later lists.
  ExcludeTableRow(g, s.ServerListRow);
  s.lstServerEnabled = true;
  s.OptServerClientEnabled = true;
  if (s.chkOnline == 1) {
    ShowSetup(g);
    g.io.net.RefreshOnlineLobby();
    return;
  }
  if (s.chkLan == 1) {
    CloseEverything(g);
    s.txtIP.clear();
    s.txtIPEnabled = true;
    s.txtIPLocked = false;
    s.lblStatus[1] = "";
    g.io.screen.Focus(Control::kTxtIP);
  }
  ShowSetup(g);
}

void ClientConnectionOpened(Game& g) {
  SetupState& s = g.setup;
  WriteDefaultsName(g.programFolder, s.txtPL[0]);
  g.io.platform.SetTimer(GameTimer::kClientJoin, kClientJoinMs, false);
  s.lblStatus[1] = "Server Found";
  s.Label9 = "Click Server Name To Disconnect";
  ShowSetup(g);
  g.NetworkGame = true;
  // The client introduces itself, then tells the host that it marks each state it takes.
  SendToHost(g, Frame(Tag::kName, 0, s.txtPL[0]));
  SendToHost(g, StateMarkFrame());
  OpenChatArea(g);
  ShowSetup(g);
}

// --- hosting ---

void tmrStart_Timer(Game& g) {
  g.io.platform.SetTimer(GameTimer::kLobbyStart, kLobbyStartMs, false);
  if (g.GameInProgress || !HostRole(g)) return;
  SettleOptionTexts(g);
  imgStart_Click(g);
}

void HostConnectionOpened(Game& g, int seat) {
  if (seat < 1 || seat >= kSeats) return;
  ForgetStateMarks(g, seat);
  if (g.GameInProgress) {
    // A game is on: nobody joins it. A newcomer could never be given the game (the start's
    // state goes to the seats once) nor a turn of its own.
    g.io.net.CloseSocket(seat);
    return;
  }
  // A connection holds no seat and is sent nothing until it has named itself; one that stays
  // silent is closed when the wait runs out, so silent connections never fill the lobby.
  g.AwaitingName[At(seat)] = true;
  g.SilentTicks[At(seat)] = 0;
  g.io.platform.SetTimer(GameTimer::kNameWait, kNameWaitTickMs, true);
}

bool HostClientNamed(Game& g, int seat, const std::string& name) {
  SetupState& s = g.setup;
  if (seat < 1 || seat >= kSeats) return false;
  const size_t n = At(seat);
  if (!g.AwaitingName[n]) {
    // A seated client may give its name again; a connection without a seat has none to name.
    if (!g.Seated[n]) return false;
    SetName(g, seat, name);
    ShowSetup(g);
    TellOthersTheName(g, seat);
    return true;
  }
  g.AwaitingName[n] = false;
  StopNameWaitUnlessAwaited(g);
  g.NetworkGame = true;
  if (SeatFits(LobbyWorlds(g), seat)) {
    g.Seated[n] = true;
    SetName(g, seat, name);
    s.ImgStartVisible = true;
    s.lblStatus[n] = "Client Connected";
    ShowSetup(g);
    g.io.platform.PlaySound("gameinfo.wav");
    // Who is in the lobby, as the newcomer numbers them.
    for (int view = 1; view < kSeats; ++view) {
      const int other = SeatOfView(seat, view);
      NetSend(g, Frame(Tag::kName, view, s.txtPL[At(other)]), SendPace::kYield, seat);
    }
    TellOthersTheName(g, seat);
    if (LobbyFull(g)) {
      g.io.platform.SetTimer(GameTimer::kLobbyStart, kLobbyStartMs, true);
      g.io.net.CloseSocket(0);
    }
  }
  // Seated or not (a connection that fails the seat test stays open without a seat), it has
  // joined the lobby's chat.
  OpenChatArea(g);
  ShowSetup(g);
  return true;
}

bool HostHearsChatFrom(const Game& g, int seat) {
  if (seat < 1 || seat >= kSeats) return false;
  const size_t n = At(seat);
  return g.GameInProgress ? !g.PlayerName[n].empty() && !g.PlayerGone[n] : !g.AwaitingName[n];
}

void tmrNameWait_Timer(Game& g) {
  bool waiting = false;
  for (int k = 1; k < kSeats; ++k) {
    const size_t n = At(k);
    if (!g.AwaitingName[n]) continue;
    if (!g.io.net.SocketConnected(k)) {
      g.AwaitingName[n] = false;
      continue;
    }
    if (++g.SilentTicks[n] * kNameWaitTickMs < kNameWaitMs) {
      waiting = true;
      continue;
    }
    // Silent for the whole wait: closed as the host's own removal closes a client.
    g.io.net.CloseSocket(k);
    HostConnectionLost(g, k);
  }
  if (!waiting) g.io.platform.SetTimer(GameTimer::kNameWait, kNameWaitTickMs, false);
}

bool HostConnectionLost(Game& g, int seat) {
  SetupState& s = g.setup;
  if (seat < 1 || seat >= kSeats) return false;
  ForgetStateMarks(g, seat);
  g.AwaitingName[At(seat)] = false;
  StopNameWaitUnlessAwaited(g);
  if (g.GameInProgress) {
    HostLeavesGameSeat(g, seat);
    return !g.PlayerName[At(seat)].empty();
  }
  if (g.Seated[At(seat)]) {
    g.Seated[At(seat)] = false;
    SetName(g, seat, "");
    s.lblStatus[At(seat)] = "Waiting for Client...";
    g.io.platform.SetTimer(GameTimer::kLobbyStart, kLobbyStartMs, false);
    for (int k = 1; k < kSeats; ++k)
      if (k != seat) NetSend(g, Frame(Tag::kName, ViewIndex(k, seat), ""), SendPace::kYield, k);
    // A free seat: others may join again.
    if (HostRole(g)) ListenAgain(g);
  }
  if (s.txtPL[1].empty() && s.txtPL[2].empty() && s.txtPL[3].empty()) {
    s.OptServerClientEnabled = true;
    CloseChatArea(s);
    s.ImgStartVisible = false;
  }
  ShowSetup(g);
  return false;
}

void RecountAfterLoss(Game& g) {
  if (!g.GameInProgress || g.TurnResolving || g.GameOver) return;
  if (IsNetworkHost(g)) {
    HostEndTurnIfAllDone(g);
  } else if (HostRole(g) && g.TurnDone) {
    // The last client of a two-player game left while the host waited on it.
    EndTurn(g);
  }
}

void ClientConnectionLost(Game& g, bool peerClosed) {
  SetupState& s = g.setup;
  g.io.platform.SetTimer(GameTimer::kClientJoin, kClientJoinMs, false);
  // The host's game is over here, whatever step of it was under way (a state coming in, the
  // turn's resolution): nothing waits on it any more, and none of its clocks runs on.
  ReleaseAbandonedGame(g);
  if (g.GameInProgress && !g.window.SetupVisible) {
    g.SeatStatus[0] = TurnStatus::kDisconnected;
    g.io.screen.Refresh(Control::kLblStatus);
    g.io.platform.MessageBox("Connection with Server Lost!  Exiting Game", kTitle, Buttons::kOk);
    CloseEverything(g);
    g.NetworkGame = false;
    g.GameInProgress = false;
    g.window.Visible = false;
    g.io.screen.ReturnToSetup();
    return;
  }
  s.Label9 = "Active Servers (double click to start):";
  for (int k = 1; k < kSeats; ++k) SetName(g, k, "");
  s.lblStatus[1] = "Looking for Server...";
  s.lblStatus[2] = s.lblStatus[3] = "Waiting for Client...";
  // The server that was lost stays out of later lists.
  ExcludeTableRow(g, s.ServerListRow);
  s.lstServerEnabled = true;
  if (peerClosed) {
    // The box stands over the lobby as it is now: no host, no "Server Found".
    ShowSetup(g);
    g.io.platform.MessageBox("Connection with Server Lost!", kTitle, Buttons::kOk);
    g.io.net.CloseSocket(0);
    if (s.chkOnline == 1)
      g.io.net.RefreshOnlineLobby();
    else if (s.chkLan == 1)
      chkLan_Click(g);
  }
  s.OptServerClientEnabled = true;
  CloseChatArea(s);
  g.NetworkGame = false;
  ShowSetup(g);
}

// --- the lobby's controls ---

void txtPL_Click(Game& g, int index) {
  SetupState& s = g.setup;
  if (index < 1 || index >= kSeats || s.txtPL[At(index)].empty() || (s.chkLan == 0 && s.chkOnline == 0))
    return;
  const bool host = HostRole(g);
  const Answer answer = g.io.platform.MessageBox(
      host ? "Do You Want to Remove This Client?" : "Do You Want to Disconnect From This Server?", kTitle,
      Buttons::kYesNo);
  if (answer != Answer::kYes) return;
  g.io.platform.SetTimer(GameTimer::kLobbyStart, kLobbyStartMs, false);
  s.OptServerClientEnabled = true;
  if (host) {
    g.io.net.CloseSocket(index);
    HostConnectionLost(g, index);
    ListenAgain(g);
  } else {
    g.io.net.CloseSocket(0);
    ClientConnectionLost(g, false);
  }
  s.txtIP.clear();
  ShowSetup(g);
}

void txtMessage_Enter(Game& g) {
  SetupState& s = g.setup;
  std::string text;
  for (char c : s.txtMessage)
    if (c != '*') text += c;
  s.txtMessage.clear();
  if (text.empty()) {
    ShowSetup(g);
    return;
  }
  const std::string line = " " + s.txtPL[0] + ": " + WrapChat(text);
  if (!HostRole(g)) {
    // A client's line shows when the host's echo comes back.
    if (g.io.net.SocketConnected(0)) SendToHost(g, Frame(Tag::kMessage, 0, line));
  } else {
    HostSend(g, Frame(Tag::kMessage, 0, line));
    s.txtChat.Append(line + "\r\n");
    ChatSound(g);
  }
  ShowSetup(g);
}

void LobbyChatArrived(Game& g, const std::string& line, bool sound) {
  g.setup.txtChat.Append(line + "\r\n");
  ShowSetup(g);
  if (HostRole(g)) HostSend(g, Frame(Tag::kMessage, 0, line));
  if (sound) ChatSound(g);
}

}  // namespace zarnath
