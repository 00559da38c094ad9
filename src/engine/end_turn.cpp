// The end-of-turn cycle.
#include "engine/event_audience.h"
#include "engine/event_notices.h"
#include "engine/events.h"
#include "engine/net_send.h"
#include "engine/turn.h"
#include "model/click_rules.h"
#include "model/exact_number.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "model/numbers.h"
#include "model/orbit_step.h"
#include "net/protocol.h"

namespace zarnath {
namespace {

std::string TravelShowMessage() {
  return Frame(Tag::kTravelShow);
}

// Every slot of the fleet table to each client in turn.
void SendFleetTable(Game& g) {
  const int count = g.io.net.SocketCount();
  for (int element = 1; element < count; ++element) {
    if (!SeatLinked(g, element)) continue;
    for (int j = 0; j < kUsedFleetSlots; ++j) {
      NetSend(g, Frame(Tag::kSend, j, FleetRecord(g, j)), SendPace::kYield, element);
    }
  }
}

// Each world's shield switch, ships, shield, bombs and special code to each client in turn.
void SendWorldStates(Game& g) {
  const int count = g.io.net.SocketCount();
  for (int element = 1; element < count; ++element) {
    if (!g.io.net.SocketConnected(element)) continue;
    for (int w = 0; w < g.WorldCount; ++w) {
      const size_t i = static_cast<size_t>(w);
      for (const std::string& m : {Frame(Tag::kPM, w, Str(static_cast<int>(g.WorldShieldOn[i]))),
                                   Frame(Tag::kPS, w, ExactStr(g.WorldShips[i])),
                                   Frame(Tag::kPH, w, Str(static_cast<int>(g.WorldShield[i]))),
                                   Frame(Tag::kPB, w, Str(static_cast<int>(g.WorldBombs[i]))),
                                   Frame(Tag::kPT, w, Str(static_cast<int>(g.WorldType[i])))}) {
        NetSend(g, m, SendPace::kYield, element);
      }
    }
  }
}

void FirePulseBombs(Game& g) {
  for (int w = kHomeWorld0; w < kHomeWorld0 + kSeats; ++w) {
    if (w >= g.WorldCount) break;
    const int16_t type = g.WorldType[static_cast<size_t>(w)];
    if (g.PlayerName[static_cast<size_t>(w - kHomeWorld0)].empty() ||
        (type != kTypeArmedPulse && type != kTypeArmedPulseFuel))
      continue;
    HostSendEach(g, TravelShowMessage, [&] { return Frame(Tag::kPulseBomb, w); });
    TravelShow(g);
    g.io.platform.Yield();
    const auto before = g.FleetFrom;
    PulseBomb(g, w);
    // The clients learn the host's hits: every slot the bomb freed, sent as it now stands.
    for (int j = 0; j < kUsedFleetSlots; ++j)
      if (before[static_cast<size_t>(j)] != g.FleetFrom[static_cast<size_t>(j)])
        HostSend(g, [&] { return Frame(Tag::kSend, j, FleetRecord(g, j)); });
    g.io.platform.Yield();
  }
}

// Each object in flight passes the proximity bombs of other owners, is re-sent to the clients
// and, when its time is up, arrives.
void MoveAndLand(Game& g) {
  for (int j = 0; j < kUsedFleetSlots; ++j) {
    const size_t s = static_cast<size_t>(j);
    if (g.FleetFrom[s] == 0) continue;
    for (int k = 0; k < kUsedBombSlots; ++k) {
      const int16_t bombOwner = g.ProxBombOwner[static_cast<size_t>(k)];
      if (bombOwner <= 0 || g.FleetOwner[s] == 0 || g.FleetOwner[s] == bombOwner) continue;
      if (!ProximityFires(g, j, k)) continue;
      HostSendEach(g, TravelShowMessage, [&] { return Frame(Tag::kProximity, j, Format(k, "00")); });
      TravelShow(g);
      g.io.platform.Yield();
      Proximity(g, j, k);
      g.io.platform.Yield();
      g.io.platform.Pause(1000);
      g.io.platform.Yield();
    }
    if (g.NetworkGame) HostSend(g, [&] { return Frame(Tag::kSend, j, FleetRecord(g, j)); });
    if (g.FleetFrom[s] > 0 && g.FleetTimeLeft[s] <= 0) {
      if (g.NetworkGame) HostSendQuiet(g, TravelShowMessage());
      if (g.FleetOwner[s] == g.CurrentPlayer + 1 && SideListsFollowEvents(g))
        g.io.screen.SelectFirstTravelRow();
      TravelShow(g);
      g.io.platform.Yield();
      EndTravel(g, j);
      g.io.platform.Yield();
      g.io.platform.Pause(1000);
      g.io.platform.Yield();
    }
  }
}

// AutoSave is on while its menu item is checked: from the year it was switched on (or the last
// autosave), the next offer comes half a year later.
bool AutoSaveDue(const GameState& g) {
  const bool on = g.AutoSaveYear > 1.0f || (g.AutoSaveYear == 1.0f && g.AutoSaveOn);
  return on && static_cast<double>(g.GameYear) - 0.5 >= g.AutoSaveYear;
}

}  // namespace

void TravelShow(Game& g) {
  if (!g.NetworkGame && !OneHumanAtThisComputer(g)) g.window.SideListsVisible = false;
  g.io.screen.Refresh(Control::kTxtMove);
  g.io.screen.Refresh(Control::kBattleFrames);
  g.window.IndicatorsVisible = false;
  HideSeatPopups(g);
  g.InputBusy = true;
  g.SelectedFrom = g.SelectedTo = -1;
  g.io.platform.Yield();
}

void ApplyProduction(Game& g) {
  const int turn = TurnOf(g);
  for (int w = 0; w < g.WorldCount; ++w) {
    const size_t i = static_cast<size_t>(w);
    if (g.WorldShield[i] >= 100) {
      g.WorldShieldOn[i] = 0;
    } else if (g.WorldOwner[i] == 0 && g.WorldShips[i] > turn) {
      g.WorldShieldOn[i] = Int(static_cast<double>(g.random.Next()) * 100.0) > 80 ? 1 : 0;
    }
    if (g.WorldShieldOn[i] != 0) {
      int shield = g.WorldShield[i] + g.WorldProduction[i];
      if (shield > 100) {
        g.WorldShips[i] += static_cast<float>(shield - 100);
        shield = 100;
        g.WorldShieldOn[i] = 0;
      }
      g.WorldShield[i] = static_cast<uint8_t>(shield);
    } else {
      g.WorldShips[i] += g.WorldProduction[i];
    }
  }
}

void EndTurn(Game& g) {
  g.InputBusy = true;
  g.TurnResolving = true;
  SetMenusEnabled(g, false);
  g.window.txtMove.Busy = true;
  if (!IsHostOrSingle(g)) {
    // A client waits for the host's resolution with the window locked.
    g.window.SideListsVisible = false;
    g.io.screen.Console();
    g.window.SideListsVisible = true;
    return;
  }

  SortFleets(g);
  if (IsNetworkHost(g))
    SendFleetTable(g);
  else if (!g.NetworkGame)
    g.CurrentPlayer = 0;
  FirePulseBombs(g);
  g.window.SideListsVisible = false;

  HostSend(g, [&] { return Frame(Tag::kGalaxyRotate); });
  g.GameYear += 0.05f;
  GalaxyRotate(g);
  ApplyProduction(g);

  if (SideListsFollowEvents(g)) {
    g.io.screen.Console();
    g.window.SideListsVisible = true;
  }
  if (IsNetworkHost(g)) SendWorldStates(g);

  MoveAndLand(g);
  if (g.NetworkGame) HostSendQuiet(g, Frame(Tag::kTravelHide));

  SetMenusEnabled(g, true);
  g.window.txtMove.Busy = false;
  g.TurnResolving = false;
  // A conquest ends the game inside the next-player step: nothing of it is left to finish.
  if (!GameCheck(g)) return;
  ShowMoveLog(g);

  if (AutoSaveDue(g)) {
    g.AutoSaveYear = g.GameYear;
    g.io.flow.OfferAutoSave();
  }
  g.InputBusy = false;
}

void ClientTravelHide(Game& g) {
  g.TurnDone = false;
  g.InputBusy = false;
  g.TurnResolving = false;
  SetMenusEnabled(g, true);
  g.window.txtMove.Busy = false;
  if (!GameCheck(g)) return;
  const int seat = g.CurrentPlayer;
  g.window.txtMove.Text =
      MoveLogBoxText(seat >= 0 && seat < kSeats ? g.PlayerLog[static_cast<size_t>(seat)] : std::string());
  g.io.screen.Refresh(Control::kTxtMove);
}

}  // namespace zarnath
