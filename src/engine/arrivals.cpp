// Arrivals: what an object that reached its destination does, reinforcements and scouting.
#include "engine/battle.h"
#include "engine/event_audience.h"
#include "engine/event_notices.h"
#include "engine/events.h"
#include "engine/net_send.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "model/numbers.h"
#include "net/protocol.h"

namespace zarnath {
namespace {

constexpr double kOliveColor = 16448.0;  // &H4040: the centre of a scout's mark

// The scout's report goes to its owner's connection only (the host's own seat has none).
void SendToScoutOwner(Game& g, int ownerCode, const std::string& message) {
  if (!IsNetworkHost(g)) return;
  const int element = ownerCode - 1;
  if (element < 1 || element >= g.io.net.SocketCount()) return;
  NetSend(g, message, SendPace::kYield, element);
}

}  // namespace

void EndTravel(Game& g, int slot) {
  if (!SlotInPlay(g, slot)) return;
  const size_t s = static_cast<size_t>(slot);
  const int w = g.FleetTo[s] - 1, o = g.FleetOwner[s];
  const float n = g.FleetShips[s];
  if (o == g.WorldOwner[static_cast<size_t>(w)]) {
    if (n >= kProximityBombBase) {
      HostSend(g, [&] { return Frame(Tag::kProximitySet, slot); });
      ProximitySet(g, slot);
    } else {
      HostSend(g, [&] { return Frame(Tag::kReinforcements, slot); });
      Reinforcements(g, slot);
    }
  } else if (n == kScout) {
    SendToScoutOwner(g, o, Frame(Tag::kScout, slot));
    Scout(g, slot);
    // Only the owner saw the report; every client learns that the scout's slot is free.
    HostSend(g, [&] { return Frame(Tag::kSend, slot, FleetRecord(g, slot)); });
  } else if (n == kAnnihilationBomb) {
    g.BattleSide = 1;
    HostSend(g, [&] { return Frame(Tag::kBattleDone, g.BattleSide, Str(slot)); });
    BattleDone(g, slot);
  } else if (n < kAnnihilationBomb) {
    Battle(g, slot);
    return;
  } else {
    HostSend(g, [&] { return Frame(Tag::kProximitySet, slot); });
    ProximitySet(g, slot);
  }
  g.io.platform.Yield();
}

void Reinforcements(Game& g, int slot) {
  if (!SlotInPlay(g, slot)) return;
  const size_t s = static_cast<size_t>(slot);
  const int w = g.FleetTo[s] - 1, f = g.FleetFrom[s] - 1, o = g.FleetOwner[s];
  const size_t wi = static_cast<size_t>(w);
  const std::string& from = g.WorldName[static_cast<size_t>(f)];
  const std::string& to = g.WorldName[wi];
  g.window.txtMove.Visible = true;
  const bool shown = OwnerShown(g, o);
  const ViewPoint at = WorldPixel(g, w);
  const double worldColour = OwnerColour(g, g.WorldOwner[wi]);
  const bool homeWorld = w >= kHomeWorld0 && w < kHomeWorld0 + kSeats;

  if (g.FleetShips[s] < kAnnihilationBomb) {
    if (g.FleetShips[s] == kScout) g.FleetShips[s] = 1;  // a scout home counts as one ship
    const float n = g.FleetShips[s];
    if (shown) {
      ShowNotice(g, OwnerColour(g, o),
                 "-" + Str(n) + " Reinforcements From World " + from + " Arrived At World " + to + " -");
      LogTo(g, o - 1, g.window.txtGame.Text);
      HistoryTo(g, o - 1, w,
                EventPrefix(g) + ":" + Str(n) + " Reinforcements From World " + from + " Arrived ");
      const bool namedHome = homeWorld && !g.PlayerName[static_cast<size_t>(w - kHomeWorld0)].empty();
      g.io.screen.ShowShipsLabel("+ " + StrTrim(n), at.x, at.y, namedHome ? 21 : 18, worldColour);
      if (!homeWorld) g.io.screen.DrawCircle(at.x, at.y, 14, worldColour, 1, 3, 0);
      g.io.screen.DrawShipDots(at.x, at.y, OwnerColour(g, o), kBlackColor, ShipDotsFor(n), 3);
    }
    g.WorldShips[wi] += g.FleetShips[s];
  } else {
    if (shown) {
      ShowNotice(g, OwnerColour(g, o),
                 "- A Bomb From World " + from + " Was Transferred To World " + to + " -");
      LogTo(g, o - 1, g.window.txtGame.Text);
      g.io.screen.Refresh(Control::kWindow);
      HistoryTo(g, o - 1, w,
                EventPrefix(g) + ": A Bomb From World " + from + " Was Transferred To World " + to + " ");
      g.io.screen.DrawCircle(at.x, at.y, 14, worldColour, 1, 3, 0);
      g.io.screen.DrawBlob(at.x, at.y, OwnerColour(g, o), kBlackColor);
      g.io.screen.Refresh(Control::kWindow);
    }
    g.WorldBombs[wi] = static_cast<int16_t>(g.WorldBombs[wi] < INT16_MAX ? g.WorldBombs[wi] + 1 : INT16_MAX);
  }

  if (shown) {
    g.io.screen.Refresh(Control::kWindow);
    EventSound(g, "reinforcements.wav");
    g.io.platform.Pause(1000);
    // The label stays in view through the pause.
    g.io.screen.HideShipsLabel();
  }
  FinishArrival(g, slot, shown);
}

void Scout(Game& g, int slot) {
  if (!SlotInPlay(g, slot)) return;
  const size_t s = static_cast<size_t>(slot);
  const int w = g.FleetTo[s] - 1, o = g.FleetOwner[s], p = o - 1;
  const size_t wi = static_cast<size_t>(w);
  LearnWorld(g, p, w);

  const bool shown = OwnerShown(g, o);
  if (shown) {
    const std::string shield = g.WorldShieldOn[wi] == 1 ? ",  Shield: On," : ",  Shield: Off,";
    std::string info = "Scout Info:  Prod:" + Str(static_cast<int>(g.WorldProduction[wi])) +
                       ",  Class:" + Str(static_cast<int>(g.WorldClass[wi])) + shield +
                       Str(static_cast<int>(g.WorldShield[wi])) + "%,  Ships:" + Str(g.WorldShips[wi]);
    if (g.WorldBombs[wi] > 0) info += ",  Bombs:" + Str(static_cast<int>(g.WorldBombs[wi]));
    ShowNotice(g, OwnerColour(g, o), "- World " + g.WorldName[wi] + " " + info + " -");
    LogTo(g, p, g.window.txtGame.Text);
    g.io.screen.Refresh(Control::kWindow);
    HistoryTo(g, p, w, EventPrefix(g) + ":  " + info + " ");

    const ViewPoint at = WorldPixel(g, w);
    g.io.screen.DrawStarMark(at.x, at.y, OwnerColour(g, o), kOliveColor);
    g.io.screen.DrawCircle(at.x, at.y, 14, OwnerColour(g, g.WorldOwner[wi]), 1, 3, 2);
    g.io.screen.Refresh(Control::kWindow);
    EventSound(g, "scout.wav");
    g.io.platform.Pause(2000);
  }
  FinishArrival(g, slot, shown);
}

}  // namespace zarnath
