// A client's orders and the host's check of them follow one rule: for every launch, recall and
// truce case, the order Bob's client gives (or refuses) is the order his host takes (or drops),
// and both machines end with the same worlds and objects in flight.
#include <gtest/gtest.h>

#include <functional>

#include "engine/launch.h"
#include "model/recall.h"
#include "model/travel_time.h"
#include "net_protocol/protocol_fixture.h"

namespace zarnath {
namespace {

using testing::ClientGame;
using testing::HostGame;
using testing::LaunchRecord;

constexpr int kBob = 1, kAnnHome = kHomeWorld0, kBobHome = kHomeWorld0 + 1;
constexpr int kNeutral = 3;  // nobody's world

// The host's game, prepared, and Bob's client holding the same state.
struct Pair {
  HostGame h;
  ClientGame client;  // its session's broadcast frames the client's launch for its host

  explicit Pair(const std::function<void(GameState&)>& prepare) {
    Game& g = h.g();
    g.WorldShips[kBobHome] = 40, g.WorldBombs[kBobHome] = 2;
    g.WorldShips[kAnnHome] = 40, g.WorldBombs[kAnnHome] = 2;
    prepare(g);
    client.t.ports.onGameCheck = [this] { GameCheck(client.g()); };
    client.TakeState(g, kBob);
    client.t.ports.Clear();
  }
  // What the host made of `frames` from Bob: true when it took them all.
  bool HostTakes(const std::string& frames) {
    const int dropped = h.session->dropped;
    h.Receive(kBob, frames);
    return h.session->dropped == dropped;
  }
};

std::string Sent(const ClientGame& c) {
  std::string all;
  for (const std::string& f : c.t.ports.Sent()) all += f;
  return all;
}

// The objects in flight and the worlds' ships and bombs, as the two machines must agree on them.
std::string Table(const GameState& g) {
  std::string s;
  for (int j = 0; j < kUsedFleetSlots; ++j)
    if (g.FleetFrom[j] != 0) s += FleetRecord(g, j) + " ";
  for (int w = 0; w < g.WorldCount; ++w)
    s += std::to_string(g.WorldShips[w]) + "/" + std::to_string(g.WorldBombs[w]) + " ";
  return s;
}

// The record's ship code of an order.
float CodeOf(const LaunchOrder& o) {
  switch (o.kind) {
    case LaunchKind::kScout:
      return kScout;
    case LaunchKind::kAnnihilationBomb:
      return kAnnihilationBomb;
    case LaunchKind::kProximityBomb:
      return kProximityBombBase + o.count;
    case LaunchKind::kFleet:
      break;
  }
  return o.count;
}

TEST(SharedOrders, ClientAndHostAgreeOnEveryLaunch) {
  const auto none = [](GameState&) {};
  struct Case {
    const char* what;
    LaunchOrder order;
    std::function<void(GameState&)> prepare;
    LaunchResult result;
  } const cases[] = {
      {"ten ships", LaunchOrder::Fleet(kBobHome, kNeutral, 10), none, LaunchResult::kLaunched},
      {"every ship", LaunchOrder::Fleet(kBobHome, kNeutral, 40), none, LaunchResult::kLaunched},
      {"a scout", LaunchOrder::Scout(kBobHome, kNeutral), none, LaunchResult::kLaunched},
      {"a bomb", LaunchOrder::Bomb(kBobHome, kNeutral), none, LaunchResult::kLaunched},
      {"a proximity bomb", LaunchOrder::ProximityBomb(kBobHome, kNeutral, 25), none, LaunchResult::kLaunched},
      {"a proximity bomb planted at home", LaunchOrder::ProximityBomb(kBobHome, kBobHome, 25), none,
       LaunchResult::kLaunched},
      {"an attack on Ann", LaunchOrder::Fleet(kBobHome, kAnnHome, 10), none, LaunchResult::kLaunched},
      {"an attack on Ann after the truce", LaunchOrder::Fleet(kBobHome, kAnnHome, 10),
       [](GameState& g) { g.TruceUntilTurn = 1, g.GameYear = 1.05f; }, LaunchResult::kLaunched},
      {"a neutral world during the truce", LaunchOrder::Scout(kBobHome, kNeutral),
       [](GameState& g) { g.TruceUntilTurn = 10; }, LaunchResult::kLaunched},
      {"an attack on Ann during the truce", LaunchOrder::Fleet(kBobHome, kAnnHome, 10),
       [](GameState& g) { g.TruceUntilTurn = 10; }, LaunchResult::kTruce},
      {"a bomb on Ann during the truce", LaunchOrder::Bomb(kBobHome, kAnnHome),
       [](GameState& g) { g.TruceUntilTurn = 10; }, LaunchResult::kTruce},
      {"more ships than the world holds", LaunchOrder::Fleet(kBobHome, kNeutral, 41), none,
       LaunchResult::kNotEnoughShips},
      {"a scout from a world without a ship", LaunchOrder::Scout(kBobHome, kNeutral),
       [](GameState& g) { g.WorldShips[kBobHome] = 0.5f; }, LaunchResult::kNotEnoughShips},
      {"a bomb from a world without one", LaunchOrder::Bomb(kBobHome, kNeutral),
       [](GameState& g) { g.WorldBombs[kBobHome] = 0; }, LaunchResult::kNoBomb},
      {"a threshold the record cannot carry", LaunchOrder::ProximityBomb(kBobHome, kNeutral, 90000), none,
       LaunchResult::kThresholdTooLarge},
      {"ships to their own world", LaunchOrder::Fleet(kBobHome, kBobHome, 10), none, LaunchResult::kToItself},
      {"from Ann's world", LaunchOrder::Fleet(kAnnHome, kNeutral, 10), none, LaunchResult::kNotOwnWorld},
      {"a full table", LaunchOrder::Fleet(kBobHome, kNeutral, 10),
       [](GameState& g) {
         for (int j = 0; j < kUsedFleetSlots; ++j)
           g.FleetFrom[j] = kAnnHome + 1, g.FleetTo[j] = kNeutral + 1, g.FleetOwner[j] = 1,
           g.FleetShips[j] = 1, g.FleetTripTime[j] = 0.5f, g.FleetTimeLeft[j] = 0.25;
       },
       LaunchResult::kTableFull},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Pair p(c.prepare);
    Game& g = p.client.g();
    ASSERT_EQ(g.CurrentPlayer, kBob);
    EXPECT_EQ(CheckLaunch(p.h.g(), kBob, c.order), c.result);
    EXPECT_EQ(Launch(g, c.order), c.result);
    std::string frames = Sent(p.client);
    EXPECT_EQ(frames.empty(), c.result != LaunchResult::kLaunched);
    // Where the client sent nothing, a forged client sends the record of the launch all the same.
    if (frames.empty())
      frames =
          Frame(Tag::kSend, 0, LaunchRecord(p.h.g(), c.order.from, c.order.to, kBob + 1, CodeOf(c.order)));
    EXPECT_EQ(p.HostTakes(frames), c.result == LaunchResult::kLaunched) << p.h.session->lastDropped;
    EXPECT_EQ(Table(p.h.g()), Table(g));
  }
}

TEST(SharedOrders, ClientAndHostAgreeOnEveryRecall) {
  // Bob's ten ships launched on his client and taken by the host, and one of Ann's in flight.
  struct Case {
    const char* what;
    bool annsObject;
    bool moved;
    RecallResult result;
  } const cases[] = {
      {"his own, not moved yet", false, false, RecallResult::kRecalled},
      {"his own, moved", false, true, RecallResult::kAlreadyMoved},
      {"Ann's", true, false, RecallResult::kNotOwnObject},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Pair p([](GameState&) {});
    Game& h = p.h.g();
    h.CurrentPlayer = 0;
    h.SelectedFrom = kAnnHome, h.SelectedTo = kNeutral;
    ASSERT_EQ(Launch(h, LaunchOrder::Fleet(kAnnHome, kNeutral, 5)), LaunchResult::kLaunched);
    ASSERT_TRUE(p.HostTakes(Frame(Tag::kSend, 0, LaunchRecord(h, kBobHome, kNeutral, kBob + 1, 10))));
    if (c.moved)
      for (int j = 0; j < kUsedFleetSlots; ++j)
        if (h.FleetFrom[j] != 0) h.FleetTimeLeft[j] -= 1.0 / 520.0;
    p.client.TakeState(h, kBob);
    Game& g = p.client.g();
    int slot = -1;
    for (int j = 0; j < kUsedFleetSlots && slot < 0; ++j)
      if (g.FleetFrom[j] == (c.annsObject ? kAnnHome : kBobHome) + 1) slot = j;
    ASSERT_GE(slot, 0);
    const std::string record = FleetRecord(g, slot);
    EXPECT_EQ(Recall(g, slot, kBob), c.result);
    EXPECT_EQ(p.HostTakes(Frame(Tag::kUnsend, 0, record)), c.result == RecallResult::kRecalled)
        << p.h.session->lastDropped;
    EXPECT_EQ(Table(h), Table(g));
  }
}

}  // namespace
}  // namespace zarnath
