#include "net/full_state.h"

#include "engine/net_send.h"
#include "model/exact_number.h"
#include "model/game.h"
#include "model/game_texts.h"
#include "model/numbers.h"
#include "model/record_fields.h"
#include "net/protocol.h"

namespace zarnath {
namespace {

std::string Whole(int value) {
  return Str(value);
}

std::string TwoDigits(const std::string& optionText) {
  return Format(Val(optionText), "00");
}

}  // namespace

void ForEachStateFrame(const Game& g, int client, const std::function<void(std::string, bool)>& out) {
  const size_t me = static_cast<size_t>(client);
  out(Frame(Tag::kNP, 0, Whole(g.WorldCount)), true);
  for (int p = 0; p < kSeats; ++p) out(Frame(Tag::kN, p, g.PlayerName[static_cast<size_t>(p)]), true);
  for (int p = 0; p < kSeats; ++p) out(Frame(Tag::kPV, p, Whole(g.HasCrystal[static_cast<size_t>(p)])), true);
  out(Frame(Tag::kYear, 0, ExactStr(g.GameYear)), true);
  out(Frame(Tag::kTurn, 0, Whole(client)), true);
  out(Frame(Tag::kTime, 0, ExactStr(g.BattleDelay)), true);

  // Each world's fields and each slot's, one frame a field in the order of the message table.
  for (int w = 0; w < kMaxWorlds; ++w)
    for (const MessageEntry& e : Entries()) {
      if (e.world == WorldField::kNone) continue;
      // The history that travels is the client's own.
      const bool seen = !FieldOf(e.world).perPlayer || me < kPlayerSlots;
      out(Frame(e.id, w, seen ? FieldText(g, e.world, w, client) : std::string()), true);
    }
  for (int s = 0; s < kUsedFleetSlots; ++s)
    for (const MessageEntry& e : Entries())
      if (e.fleet != FleetField::kNone) out(Frame(e.id, s, FieldText(g, e.fleet, s)), true);
  for (int b = 0; b < kUsedBombSlots; ++b) {
    const size_t i = static_cast<size_t>(b);
    out(Frame(Tag::kBO, b, Whole(g.ProxBombOwner[i])), false);
    out(Frame(Tag::kBW, b, ExactStr(g.ProxBombWorld[i])), false);
    out(Frame(Tag::kBT, b, ExactStr(g.ProxBombThreshold[i])), false);
  }

  const SetupState& o = g.setup;
  out(Frame(Tag::kGH, 0, me < kPlayerSlots ? g.PlayerLog[me] : std::string()), true);
  out(Frame(Tag::kShow, 0), true);
  out(Frame(Tag::kShield, 0, o.chkShield == 1 ? "01" : "00"), false);
  if (g.TruceUntilTurn != 0) out(Frame(Tag::kTruce, 0, Format(g.TruceUntilTurn, "00")), false);
  out(Frame(Tag::kMode, 0, o.chkMode == 1 ? "01" : "00"), false);
  out(Frame(Tag::kMaxProd, 0, TwoDigits(o.txtOp[0])), false);
  out(Frame(Tag::kTreasures, 0, TwoDigits(o.txtOp[1])), false);
  out(Frame(Tag::kGather, 0, Format(Val(o.txtOp[2]), "0")), false);
  out(Frame(Tag::kRadar, 0, o.OptRadar[0] ? "On" : o.OptRadar[1] ? "Off" : "Unlimited"), false);
}

void GalaxySync(Game& g) {
  NetworkPort& net = g.io.net;
  const int count = net.SocketCount();
  for (int i = 1; i < count && i < kSeats; ++i) {
    if (!SeatLinked(g, i)) continue;
    bool lost = false;
    // What the client sent before it marks this state was given in the game it had.
    HostSendsState(g, i);
    // The client's frames may leave together; the yields between them still let events run.
    net.HoldSends(i);
    ForEachStateFrame(g, i, [&](std::string frame, bool yield) {
      if (lost) return;
      if (!net.SocketConnected(i)) {
        lost = true;
        return;
      }
      net.SendData(i, frame);
      if (yield) g.io.platform.Yield();
    });
    // A seat gone from the game (a loaded game's seat without its client) stays gone there too.
    for (int p = 1; p < kSeats && !lost; ++p)
      if (g.PlayerGone[static_cast<size_t>(p)] &&
          g.SeatStatus[static_cast<size_t>(p)] == TurnStatus::kDisconnected)
        net.SendData(i, Frame(Tag::kStatus, p, StatusCaption(g, p)));
    net.ReleaseSends(i);
    if (lost || !net.SocketConnected(i))
      g.io.platform.MessageBox("Problem Synchronizing " + g.PlayerName[static_cast<size_t>(i)],
                               "Zarnath Error", Buttons::kOk);
  }
}

}  // namespace zarnath
