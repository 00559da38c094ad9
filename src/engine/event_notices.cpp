#include "engine/event_notices.h"

#include <cmath>
#include <limits>

#include "model/fleet_table.h"
#include "model/game.h"
#include "model/numbers.h"

namespace zarnath {

bool CaptionEndsWith(std::string_view caption, std::string_view ending) {
  return caption.size() >= ending.size() && caption.substr(caption.size() - ending.size()) == ending;
}

bool IsNamedHuman(const GameState& g, int seat) {
  return seat >= 0 && seat < kSeats && !g.PlayerName[static_cast<size_t>(seat)].empty() &&
         IsHumanSeat(g, seat);
}

bool OwnerShown(const GameState& g, int ownerCode) {
  if (ownerCode < 1 || ownerCode > kSeats) return false;
  if (g.NetworkGame) return ownerCode == g.CurrentPlayer + 1;
  return g.setup.chkAI[static_cast<size_t>(ownerCode - 1)] == 0;
}

bool SideListsFollowEvents(const GameState& g) {
  return g.NetworkGame || OneHumanAtThisComputer(g);
}

const std::string& OwnerName(const GameState& g, int ownerCode) {
  static const std::string kNobody;
  if (ownerCode < 1 || ownerCode > kSeats) return kNobody;
  return g.PlayerName[static_cast<size_t>(ownerCode - 1)];
}

double OwnerColour(const GameState& g, int ownerCode) {
  if (ownerCode < 0 || ownerCode >= kPlayerSlots) return kNeutralColor;
  return g.PlayerColor[static_cast<size_t>(ownerCode)];
}

void ShowNotice(Game& g, double colour, const std::string& text) {
  g.window.txtGame.ForeColor = colour;
  g.window.txtGame.Text = text;
  g.io.screen.Refresh(Control::kTxtGame);
}

void ClearNotice(Game& g) {
  g.window.txtGame.Text.clear();
  g.io.screen.Refresh(Control::kTxtGame);
}

void LogTo(GameState& g, int seat, const std::string& text) {
  if (seat < 0 || seat >= kSeats) return;
  g.PlayerLog[static_cast<size_t>(seat)] += "\r\n" + text;
}

void LogToHumans(GameState& g, const std::string& text) {
  for (int p = 0; p < kSeats; ++p)
    if (IsNamedHuman(g, p)) LogTo(g, p, text);
}

void HistoryTo(GameState& g, int seat, int world, const std::string& line) {
  if (seat < 0 || seat >= kSeats || world < 0 || world >= kMaxWorlds) return;
  std::string& history = g.WorldHistory[static_cast<size_t>(seat)][static_cast<size_t>(world)];
  history = line + "\r\n" + history;
}

void EventSound(Game& g, const char* file) {
  if (!g.SpeedGame && !g.SoundOff) g.io.platform.PlaySound(file);
}

int32_t RoundToInt32(double value) {
  if (std::isnan(value)) return 0;
  const double r = std::nearbyint(value);
  if (r >= static_cast<double>(std::numeric_limits<int32_t>::max()))
    return std::numeric_limits<int32_t>::max();
  if (r <= static_cast<double>(std::numeric_limits<int32_t>::min()))
    return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(r);
}

int16_t RoundToInt16(double value) {
  const int32_t v = RoundToInt32(value);
  if (v > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
  if (v < std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
  return static_cast<int16_t>(v);
}

bool SlotInPlay(const GameState& g, int slot) {
  if (slot < 0 || slot >= kUsedFleetSlots) return false;
  const size_t s = static_cast<size_t>(slot);
  return g.FleetFrom[s] >= 1 && g.FleetFrom[s] <= g.WorldCount && g.FleetTo[s] >= 1 &&
         g.FleetTo[s] <= g.WorldCount;
}

bool IsNetworkHost(const GameState& g) {
  return g.NetworkGame && g.setup.OptServerClient0;
}

bool SeatLinked(Game& g, int element) {
  if (element < 1 || element >= kSeats || !g.io.net.SocketConnected(element)) return false;
  const size_t e = static_cast<size_t>(element);
  return g.GameInProgress ? !g.PlayerName[e].empty() : g.Seated[e];
}

bool SendsToClients(const Game& g) {
  return IsNetworkHost(g);
}

void NetSend(Game& g, const std::string& message, SendPace pace, int only) {
  NetworkPort& net = g.io.net;
  if (!IsNetworkHost(g)) {
    // A client (or a machine not yet hosting) has one link: the host's.
    if (only > 0 || !net.SocketConnected(0)) return;
    net.SendData(0, message);
    if (pace == SendPace::kYield) g.io.platform.Yield();
    return;
  }
  const int count = net.SocketCount();
  for (int element = 1; element < count; ++element) {
    if ((only > 0 && element != only) || !SeatLinked(g, element)) continue;
    net.SendData(element, message);
    if (pace == SendPace::kYield) g.io.platform.Yield();
  }
}

void HostSendEach(Game& g, const std::string& first, const std::string& second) {
  if (!IsNetworkHost(g)) return;
  const int count = g.io.net.SocketCount();
  for (int element = 1; element < count; ++element) {
    if (!SeatLinked(g, element)) continue;
    NetSend(g, first, SendPace::kYield, element);
    NetSend(g, second, SendPace::kYield, element);
  }
}

void FinishArrival(Game& g, int slot, bool shown) {
  DataClear(g, slot);
  if (shown) {
    if (SideListsFollowEvents(g)) g.io.screen.Console();
    g.io.screen.GalaxyDraw();
  }
  ClearNotice(g);
}

void LearnWorld(GameState& g, int p, int w) {
  if (p < 0 || p >= kSeats || w < 0 || w >= kMaxWorlds) return;
  const size_t i = static_cast<size_t>(w);
  auto& known = g.ScoutInfo[static_cast<size_t>(p)];
  known[0][i] = RoundToInt16(TurnOf(g));
  known[1][i] = g.WorldClass[i];
  known[2][i] = g.WorldProduction[i];
  known[3][i] = RoundToInt16(g.WorldShips[i]);
  known[4][i] = g.WorldShield[i];
}

void ShowMoveLog(Game& g) {
  const int seat = g.CurrentPlayer;
  g.window.txtMove.Text = MoveLogBoxText(
      seat >= 0 && seat < kSeats ? g.PlayerLog[static_cast<size_t>(seat)] : std::string(), std::string::npos);
  g.window.txtMove.Visible = true;
  g.io.screen.Refresh(Control::kTxtMove);
}

void ShowCentredReport(Game& g, const std::string& caption) {
  g.window.lblPlanet.Caption = caption;
  g.window.lblPlanet.Alignment = 2;
  g.window.lblPlanet.Visible = true;
  g.io.screen.Refresh(Control::kLblPlanet);
}

void HideCentredReport(Game& g) {
  g.window.lblPlanet.Alignment = 0;
  g.window.lblPlanet.Visible = false;
  g.io.screen.Refresh(Control::kLblPlanet);
}

}  // namespace zarnath
