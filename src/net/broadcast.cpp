#include "net/broadcast.h"

#include <algorithm>

#include "engine/net_send.h"
#include "model/exact_number.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "model/game_texts.h"
#include "model/numbers.h"
#include "net/protocol.h"

namespace zarnath {
namespace {

using namespace turn_event;

std::string TravelShowFrame() {
  return Frame(Tag::kTravelShow);
}

std::string SlotFrame(const Game& g, int slot) {
  return Frame(Tag::kSend, slot, FleetRecord(g, slot));
}

// The frames of one step. Events without a frame of their own send nothing.
struct Frames {
  Game& g;

  // Every slot of the fleet table to each client in turn.
  void operator()(const ResolutionBegan&) const {
    if (!IsNetworkHost(g)) return;
    const int count = g.io.net.SocketCount();
    for (int element = 1; element < count; ++element) {
      if (!SeatLinked(g, element)) continue;
      for (int j = 0; j < kUsedFleetSlots; ++j) NetSend(g, SlotFrame(g, j), SendPace::kYield, element);
    }
  }
  void operator()(const PulseBombDue& e) const {
    HostSendEach(g, TravelShowFrame, [&] { return Frame(Tag::kPulseBomb, e.world); });
  }
  void operator()(const SlotChanged& e) const {
    HostSend(g, [&] { return SlotFrame(g, e.slot); });
  }
  void operator()(const YearEnding&) const {
    HostSend(g, [] { return Frame(Tag::kGalaxyRotate); });
  }
  // Each world's shield switch, ships, shield, bombs and special code to each client in turn.
  void operator()(const WorldsProduced&) const {
    if (!IsNetworkHost(g)) return;
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
  void operator()(const ProximityBombDue& e) const {
    HostSendEach(g, TravelShowFrame, [&] { return Frame(Tag::kProximity, e.slot, Format(e.bomb, "00")); });
  }
  void operator()(const ArrivalDue&) const { HostSendQuiet(g, TravelShowFrame()); }
  void operator()(const ArrivalResolving& e) const {
    switch (e.kind) {
      case ArrivalKind::kReinforcements:
        HostSend(g, [&] { return Frame(Tag::kReinforcements, e.slot); });
        break;
      case ArrivalKind::kProximityBomb:
        HostSend(g, [&] { return Frame(Tag::kProximitySet, e.slot); });
        break;
      case ArrivalKind::kScout: {
        // The scout's report goes to its owner's connection only (the host's own seat has none).
        if (!IsNetworkHost(g)) return;
        const int element = g.FleetOwner[static_cast<size_t>(e.slot)] - 1;
        if (element < 1 || element >= g.io.net.SocketCount()) return;
        NetSend(g, Frame(Tag::kScout, e.slot), SendPace::kYield, element);
        break;
      }
    }
  }
  void operator()(const ResolutionEnded&) const { HostSendQuiet(g, Frame(Tag::kTravelHide)); }
  // The accuracies of the fleet, then of the world, and the set-up, to each client in turn.
  void operator()(const BattleOpened& e) const {
    HostSendEach(
        g,
        [&] {
          return Frame(Tag::kBattleAccu, 0, Format(g.AttackAccuracy, "00") + Format(g.DefendAccuracy, "00"));
        },
        [&] { return Frame(Tag::kBattleSetup, e.slot); });
  }
  void operator()(const ShotHit& e) const {
    HostSend(g,
             [&] { return Frame(e.side == battle_data::kAttacker ? Tag::kFromHit : Tag::kToHit, e.slot); });
  }
  void operator()(const FiguresShown& e) const {
    HostSend(g, [&] { return Frame(Tag::kFrameUpdate, e.slot, Str(e.pass)); });
  }
  void operator()(const BattleDecided& e) const {
    HostSend(g, [&] { return Frame(Tag::kBattleDone, e.side, Str(e.slot)); });
  }

  // A client's own orders to its host, at once.
  void operator()(const FleetLaunched& e) const {
    if (IsHostOrSingle(g) || !g.io.net.SocketConnected(0)) return;
    SendToHost(g, Frame(Tag::kSend, 0, FleetRecord(g, e.slot)));
  }
  // The armed home world's code, then its bombs.
  void operator()(const PulseBombArmed& e) const {
    if (IsHostOrSingle(g) || !g.io.net.SocketConnected(0)) return;
    const size_t w = static_cast<size_t>(e.world);
    SendToHost(g, Frame(Tag::kPT, e.world, Str(static_cast<int>(g.WorldType[w]))));
    SendToHost(g, Frame(Tag::kPB, e.world, Str(static_cast<int>(g.WorldBombs[w]))));
  }
  void operator()(const SeatDone& e) const {
    const std::string status = Frame(Tag::kStatus, e.seat, StatusCaption(g, e.seat));
    if (IsNetworkHost(g))
      HostSend(g, status);
    else
      SendToHost(g, status);
  }
  void operator()(const AllSeatsDone&) const {
    HostSend(g, [] { return Frame(Tag::kEndTurn); });
  }
  void operator()(const ChatLineShown& e) const {
    HostSend(g, [&] { return Frame(Tag::kMessage, 0, e.line); });
  }

  template <typename Event>
  void operator()(const Event&) const {}
};

}  // namespace

Broadcast::Broadcast(Game& game) : game_(game) {
  game_.listeners.push_back(this);
}

Broadcast::~Broadcast() {
  std::erase(game_.listeners, this);
}

void Broadcast::Heard(Game& g, const TurnEvent& event) {
  std::visit(Frames{g}, event);
}

}  // namespace zarnath
