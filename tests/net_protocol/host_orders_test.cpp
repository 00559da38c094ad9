// A client's orders as the host checks them: the pulse bomb's arming under the same rule on both
// machines, the recall of an object that has moved, another seat's home world, and the indexes a
// frame can address.
#include <gtest/gtest.h>

#include "ai/pulse_command.h"
#include "model/click_rules.h"
#include "model/numbers.h"
#include "model/orbit_step.h"
#include "net/messages.h"
#include "net_protocol/protocol_fixture.h"

namespace zarnath {
namespace {

using testing::ClientGame;
using testing::Fingerprint;
using testing::HostGame;
using testing::LaunchRecord;

constexpr int kBob = 1, kAnnHome = kHomeWorld0, kBobHome = kHomeWorld0 + 1, kCyHome = kHomeWorld0 + 2,
              kEmptyHome = kHomeWorld0 + 3;

using TypeAndBombs = std::pair<int, int>;
TypeAndBombs Of(const GameState& g, int w) {
  return {g.WorldType[w], g.WorldBombs[w]};
}

// Bob arms a pulse bomb from his client's window: the client arms it when the rule lets him, the
// host takes the two frames the client sends under the same rule, and both machines end with the
// same world. A captured home world of a seat in the game is armed like his own.
TEST(PulseArming, TheClientAndTheHostAgreeOnEveryWorld) {
  struct Case {
    const char* what;
    int world;
    void (*prepare)(GameState&);
    bool armed;
  } const cases[] = {
      {"his own home world", kBobHome, [](GameState&) {}, true},
      {"his own, with the fuel", kBobHome, [](GameState& g) { g.WorldType[kBobHome] = kTypeFuel; }, true},
      {"Cy's home world he captured", kCyHome, [](GameState& g) { g.WorldOwner[kCyHome] = kBob + 1; }, true},
      {"Ann's home world he captured", kAnnHome, [](GameState& g) { g.WorldOwner[kAnnHome] = kBob + 1; },
       true},
      {"Cy's home world, still hers", kCyHome, [](GameState&) {}, false},
      {"the home world of the empty seat", kEmptyHome,
       [](GameState& g) { g.WorldOwner[kEmptyHome] = kBob + 1; }, false},
      {"an ordinary world of his", 3, [](GameState& g) { g.WorldOwner[3] = kBob + 1; }, false},
      {"armed already", kBobHome, [](GameState& g) { g.WorldType[kBobHome] = kTypeArmedPulse; }, false},
      {"no bomb left", kBobHome, [](GameState& g) { g.WorldBombs[kBobHome] = 0; }, false},
  };
  for (const Case& c : cases) {
    HostGame h;
    for (int w : {kAnnHome, kBobHome, kCyHome, kEmptyHome, 3}) h.g().WorldBombs[w] = 2;
    c.prepare(h.g());
    ClientGame client;
    client.t.ports.onGameCheck = [&] { GameCheck(client.g()); };
    client.TakeState(h.g(), kBob);
    Game& g = client.g();
    client.t.ports.Clear();
    const TypeAndBombs before = Of(g, c.world);

    EXPECT_EQ(CanArmPulseBomb(g, kBob, c.world), c.armed) << c.what;
    g.SelectedFrom = static_cast<int16_t>(c.world);
    mnuComSendPulse_Click(g);
    const auto sent = client.t.ports.Sent();
    const TypeAndBombs after = c.armed ? TypeAndBombs(before.first + kPulseArmed, before.second - 1) : before;
    EXPECT_EQ(Of(g, c.world), after) << c.what;
    EXPECT_EQ(sent.size(), c.armed ? 2u : 0u) << c.what;

    // The host hears what the client sent, and a forged pair where the client sent nothing.
    std::string frames;
    for (const std::string& f : sent) frames += f;
    if (frames.empty())
      frames = Frame(Tag::kPT, c.world, Str(before.first + kPulseArmed)) +
               Frame(Tag::kPB, c.world, Str(before.second - 1));
    h.Receive(kBob, frames);
    EXPECT_EQ(Of(h.g(), c.world), after) << c.what;
    EXPECT_EQ(h.session->dropped, c.armed ? 0 : 2) << c.what << ": " << h.session->lastDropped;
  }
}

// Bob may not take a bomb from a home world he does not hold, not even one another seat armed.
TEST(PulseArming, TheHostRefusesAnotherSeatsHomeWorld) {
  HostGame h;
  Game& g = h.g();
  g.WorldBombs[kCyHome] = 3;
  h.Receive(kBob, "[PT] 10 10*[PB] 10 2*");
  EXPECT_EQ(Of(g, kCyHome), TypeAndBombs(0, 3));
  EXPECT_EQ(h.session->dropped, 2);

  h.Receive(2, "[PT] 10 10*");  // Cy arms her own
  ASSERT_EQ(Of(g, kCyHome), TypeAndBombs(10, 3));
  h.Receive(kBob, "[PB] 10 2*");  // and Bob would take its bomb
  EXPECT_EQ(Of(g, kCyHome), TypeAndBombs(10, 3));
  h.Receive(2, "[PB] 10 2*");
  EXPECT_EQ(Of(g, kCyHome), TypeAndBombs(10, 2));
  EXPECT_EQ(h.session->dropped, 3);

  // A bomb taken again after the arming is refused.
  h.Receive(2, "[PB] 10 1*");
  EXPECT_EQ(Of(g, kCyHome), TypeAndBombs(10, 2));
}

// Every client order carries numbers the host's own rule decides: the ships a launch takes and the
// shield and class it carries, the object a recall names, the shield switch, the arming code and the
// bombs left after the arming, and the world the order is for. A number other than the rule's is
// refused with nothing changed, and the rule's own number then goes through.
TEST(HostOrders, EachNumberOtherThanTheHostsRuleIsRefused) {
  // What a frame could change, with the shield switches the host keeps to itself.
  auto OrdersState = [](const Game& g) {
    std::string s = std::to_string(Fingerprint(g));
    for (const uint8_t on : g.WorldShieldOn) s += std::to_string(on);
    return s;
  };
  constexpr int kBobWorld = 3, kBeyond = 20;  // a world of Bob's, and one beyond the galaxy's 16
  struct Case {
    const char* what;
    std::string (*before)(Game&);  // frames the host takes first
    std::string (*forged)(Game&);
    std::string (*honest)(Game&);
  } const cases[] = {
      {"[SEND] more ships than the whole ships present",
       [](Game& g) {
         g.WorldShips[kBobHome] = 39.5f;
         return std::string();
       },
       [](Game& g) { return "[SEND] 00" + LaunchRecord(g, kBobHome, 3, kBob + 1, 40) + "*"; },
       [](Game& g) { return "[SEND] 00" + LaunchRecord(g, kBobHome, 3, kBob + 1, 39) + "*"; }},
      {"[SEND] a scout from a world without a whole ship",
       [](Game& g) {
         g.WorldShips[kBobHome] = 0.5f;
         return std::string();
       },
       [](Game& g) { return "[SEND] 00" + LaunchRecord(g, kBobHome, 3, kBob + 1, kScout) + "*"; },
       [](Game& g) {
         g.WorldShips[kBobHome] = 1;
         return "[SEND] 00" + LaunchRecord(g, kBobHome, 3, kBob + 1, kScout) + "*";
       }},
      {"[SEND] a shield the world does not give", [](Game&) { return std::string(); },
       [](Game& g) {
         std::string r = LaunchRecord(g, kBobHome, 3, kBob + 1, 10);
         r.replace(12, 3, r.substr(12, 3) == "000" ? "050" : "000");
         return "[SEND] 00" + r + "*";
       },
       [](Game& g) { return "[SEND] 00" + LaunchRecord(g, kBobHome, 3, kBob + 1, 10) + "*"; }},
      {"[SEND] a proximity bomb from a world without bombs",
       [](Game& g) {
         g.WorldBombs[kBobHome] = 0;
         return std::string();
       },
       [](Game& g) {
         return "[SEND] 00" + LaunchRecord(g, kBobHome, 3, kBob + 1, kProximityBombBase + 25) + "*";
       },
       [](Game& g) {
         g.WorldBombs[kBobHome] = 1;
         return "[SEND] 00" + LaunchRecord(g, kBobHome, 3, kBob + 1, kProximityBombBase + 25) + "*";
       }},
      {"[UNSEND] a count other than the object's",
       [](Game& g) { return "[SEND] 00" + LaunchRecord(g, kBobHome, 3, kBob + 1, 10) + "*"; },
       [](Game& g) {
         const std::string launched = LaunchRecord(g, kBobHome, 3, kBob + 1, 10);
         std::string r = launched;
         r.replace(6, 5, "00011");
         return "[UNSEND] 00" + r + "*";
       },
       [](Game& g) {
         for (int j = 0; j < kUsedFleetSlots; ++j)
           if (g.FleetFrom[j] != 0) return "[UNSEND] 00" + FleetRecord(g, j) + "*";
         return std::string("[UNSEND] 00none*");
       }},
      {"[PM] a switch other than off or on", [](Game&) { return std::string(); },
       [](Game&) { return std::string("[PM] 03 2*"); }, [](Game&) { return std::string("[PM] 03 1*"); }},
      {"[PM] a world beyond the galaxy", [](Game&) { return std::string(); },
       [](Game&) { return std::string("[PM] 20 1*"); }, [](Game&) { return std::string("[PM] 03 1*"); }},
      {"[PT] a code other than the arming's", [](Game&) { return std::string(); },
       [](Game&) { return std::string("[PT] 09 12*"); }, [](Game&) { return std::string("[PT] 09 10*"); }},
      {"[PB] the bombs kept", [](Game&) { return std::string("[PT] 09 10*"); },
       [](Game&) { return std::string("[PB] 09 2*"); }, [](Game&) { return std::string("[PB] 09 1*"); }},
      {"[PB] every bomb taken", [](Game&) { return std::string("[PT] 09 10*"); },
       [](Game&) { return std::string("[PB] 09 0*"); }, [](Game&) { return std::string("[PB] 09 1*"); }},
      {"[PB] a count out of all reason", [](Game&) { return std::string("[PT] 09 10*"); },
       [](Game&) { return std::string("[PB] 09 32767*"); }, [](Game&) { return std::string("[PB] 09 1*"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HostGame h;
    Game& g = h.g();
    std::tie(g.WorldShips[kBobHome], g.WorldBombs[kBobHome], g.WorldShield[kBobHome]) =
        std::make_tuple(40.0f, int16_t{2}, uint8_t{30});
    std::tie(g.WorldOwner[kBobWorld], g.WorldOwner[kBeyond], g.WorldShieldOn[kBobWorld]) =
        std::make_tuple(kBob + 1, kBob + 1, uint8_t{0});
    const std::string first = c.before(g);
    if (!first.empty()) h.Receive(kBob, first);
    ASSERT_EQ(h.session->dropped, 0) << c.what << ": " << h.session->lastDropped;
    const std::string before = OrdersState(g);
    h.Receive(kBob, c.forged(g));
    EXPECT_EQ(h.session->dropped, 1);
    EXPECT_EQ(OrdersState(g), before);
    h.Receive(kBob, c.honest(g));
    EXPECT_EQ(h.session->dropped, 1) << h.session->lastDropped;
    EXPECT_NE(OrdersState(g), before);
  }
}

// The bomb of an arming is taken only while the world is still armed: once the pulse has gone off
// (or the arming is undone) a late bomb count is refused.
TEST(PulseArming, TheBombIsTakenOnlyWhileTheWorldIsStillArmed) {
  HostGame h;
  Game& g = h.g();
  g.WorldBombs[kBobHome] = 2;
  h.Receive(kBob, "[PT] 09 10*");
  ASSERT_EQ(Of(g, kBobHome), TypeAndBombs(10, 2));
  g.WorldType[kBobHome] = kTypeNothing;  // the pulse went off
  h.Receive(kBob, "[PB] 09 1*");
  EXPECT_EQ(Of(g, kBobHome), TypeAndBombs(kTypeNothing, 2));
  EXPECT_EQ(h.session->dropped, 1);
}

// A seat that has said it is done gives no more orders this turn.
TEST(HostOrders, ASeatDoneWithItsTurnGivesNoMoreOrders) {
  HostGame h;
  Game& g = h.g();
  g.WorldShips[kBobHome] = 40;
  h.Receive(kBob, "[STATUS] 01Bob:  Done Turn*");
  ASSERT_EQ(g.SeatStatus[kBob], TurnStatus::kDoneTurn);
  h.Receive(kBob, "[SEND] 00" + LaunchRecord(g, kBobHome, 3, kBob + 1, 10) + "*[PM] 09 1*");
  EXPECT_EQ(g.WorldShips[kBobHome], 40.0f);
  EXPECT_EQ(g.WorldShieldOn[kBobHome], 0);
  EXPECT_EQ(h.session->dropped, 2);
}

// Only an object that has not moved since its launch can be called back; once a turn has moved
// it, its record (as the host itself sends it) names it exactly and is still refused.
TEST(HostRecall, RefusesAnObjectThatHasMoved) {
  HostGame h;
  Game& g = h.g();
  g.WorldShips[kBobHome] = 40;
  const std::string launch = LaunchRecord(g, kBobHome, 3, kBob + 1, 10);
  h.Receive(kBob, "[SEND] 00" + launch + "*");
  ASSERT_EQ(g.WorldShips[kBobHome], 30.0f);
  int slot = -1;
  for (int j = 0; j < kUsedFleetSlots; ++j)
    if (g.FleetFrom[j] != 0) slot = j;
  ASSERT_GE(slot, 0);
  GalaxyRotate(g);  // one turn's orbit ticks
  ASSERT_LT(g.FleetTimeLeft[slot], g.FleetTripTime[slot]);
  const std::string moved = FleetRecord(g, slot);
  ASSERT_NE(moved, launch);
  const size_t before = Fingerprint(g);
  h.Receive(kBob, "[UNSEND] 00" + moved + "*");
  EXPECT_EQ(h.session->dropped, 1);
  EXPECT_EQ(Fingerprint(g), before);
  EXPECT_EQ(g.WorldShips[kBobHome], 30.0f);
  EXPECT_EQ(FleetRecord(g, slot), moved);
}

// A frame's two digits address only what the tag's table holds: the spare slot after each table's
// used range is never addressed, and a third digit is not part of the index.
TEST(FrameIndex, EachTableEndsWhereItsUsedRangeEnds) {
  struct Bound {
    IndexOf kind;
    int first, last;
  } const bounds[] = {
      {IndexOf::kNone, 0, 0},
      {IndexOf::kLobbySeat, 0, kSeats - 1},
      {IndexOf::kPlayer, 0, kSeats - 1},
      {IndexOf::kWorld, 0, kMaxWorlds - 1},
      {IndexOf::kHomeWorld, kHomeWorld0, kHomeWorld0 + kSeats - 1},
      {IndexOf::kSlot, 0, kUsedFleetSlots - 1},
      {IndexOf::kBomb, 0, kUsedBombSlots - 1},
      {IndexOf::kSide, 1, 2},
  };
  for (const Bound& b : bounds) {
    const int kind = static_cast<int>(b.kind);
    EXPECT_TRUE(IndexFits(b.kind, b.first) && IndexFits(b.kind, b.last)) << kind;
    EXPECT_FALSE(IndexFits(b.kind, b.first - 1)) << kind;
    EXPECT_FALSE(IndexFits(b.kind, b.last + 1)) << kind;
  }

  // Three digits are not an index: "[FP] 100 1" addresses slot 10 with the payload "0 1".
  const auto f = ParseFrame("[FP] 100 1");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->index, 10);
  EXPECT_EQ(f->payload, "0 1");
}

}  // namespace
}  // namespace zarnath
