// The game protocol without sockets: framing, the message table, the full state, and what the
#include <map>
// receiver refuses.
#include <gtest/gtest.h>

#include "engine/menu_state.h"
#include "model/game_texts.h"
#include "model/numbers.h"
#include "net/messages.h"
#include "net_protocol/protocol_fixture.h"

namespace zarnath {
namespace {

using testing::ClientGame;
using testing::Fingerprint;
using testing::HostGame;
using testing::LaunchRecord;

TEST(FrameBuffer, CutsFramesWhereverTheBytesBreak) {
  struct Case {
    const char* what;
    std::vector<std::string> reads;
    std::vector<std::string> frames;
    size_t waiting;
  };
  const Case cases[] = {
      {"two frames in one read", {"[PS] 07 12*[PH] 07 50*"}, {"[PS] 07 12", "[PH] 07 50"}, 0},
      {"one frame in three reads", {"[PS", "] 07 1", "2*"}, {"[PS] 07 12"}, 0},
      {"an unfinished frame waits", {"[PS] 07 12*[PH] 0"}, {"[PS] 07 12"}, 6},
      {"the shortest frame", {"[S] 00*"}, {"[S] 00"}, 0},
      {"junk ending in a star is skipped", {"x*[PS] 07 12*"}, {"[PS] 07 12"}, 0},
      {"a star at once, then frames", {"*", "[NAME] 02*"}, {"[NAME] 02"}, 0},
  };
  for (const Case& c : cases) {
    FrameBuffer b;
    std::vector<std::string> got;
    for (const std::string& r : c.reads)
      for (std::string& f : b.Append(r)) got.push_back(f);
    EXPECT_EQ(got, c.frames) << c.what;
    EXPECT_EQ(b.Waiting(), c.waiting) << c.what;
  }
}

TEST(FrameBuffer, APeerThatNeverEndsAFrameIsNotKeptForever) {
  FrameBuffer b;
  const std::string flood(FrameBuffer::kMaxBuffered + 100, 'a');
  EXPECT_TRUE(b.Append(flood).empty());
  EXPECT_LT(b.Waiting(), FrameBuffer::kMaxBuffered);
  EXPECT_EQ(b.Append("*[PS] 07 12*"), (std::vector<std::string>{"[PS] 07 12"}));
}

TEST(ParseFrame, TagIndexAndPayloadWithCommasAsPoints) {
  const auto f = ParseFrame("[PS] 07 12,5");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->tag, "[PS]");
  EXPECT_EQ(f->index, 7);
  EXPECT_EQ(f->payload, " 12.5");
  const auto empty = ParseFrame("[NAME] 02");
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->index == 2 && empty->payload.empty());
  for (const char* bad : {"[PS]07 12", "[PS] 7x 12", "[PS] -1 12", "[PS] 0", " 07 12"})
    EXPECT_FALSE(ParseFrame(bad)) << bad;
}

TEST(MessageTable, SixtyOneTagsEachFoundByItsExactText) {
  EXPECT_EQ(kTagCount, 61);
  for (int i = 0; i < kTagCount; ++i) {
    const MessageEntry& s = Entry(static_cast<Tag>(i));
    ASSERT_EQ(FindEntry(s.tag), &s) << s.tag;
    EXPECT_TRUE(s.tag.front() == '[' && s.tag.back() == ']') << s.tag;
  }
  EXPECT_EQ(FindEntry("[send]"), nullptr);
  EXPECT_EQ(Frame(Tag::kEndTurn), "[ENDTURN] 00Endturn*");
  EXPECT_EQ(Frame(Tag::kShow), "[SHOW] 00Galaxy*");
  EXPECT_EQ(Frame(Tag::kName, 2, ""), "[NAME] 02*");
  EXPECT_EQ(Frame(Tag::kProximity, 7, "03"), "[PROXIMITY] 0703*");
}

// The host's state for one client, in order: 12 opening frames, 14 a world, 9 a travel slot, 3 a
// bomb slot, the log, the show frame and the options (the truce only when one is set).
TEST(FullState, FourteenHundredFramesInTheirOrderAndOneMoreWithATruce) {
  HostGame h;
  Game& g = h.g();
  g.WorldHistory[2][3] = "Cy's history", g.PlayerLog[2] = "Cy's log", g.WorldHistory[0][3] = "Ann's";
  g.setup.txtOp = {"5", "3", "5"}, g.setup.OptRadar = {false, false, true};
  for (int truce : {0, 8}) {
    g.TruceUntilTurn = static_cast<int16_t>(truce);
    std::vector<std::string> f;
    std::vector<bool> yields;
    ForEachStateFrame(g, 2, [&](std::string frame, bool yield) {
      f.push_back(frame);
      yields.push_back(yield);
    });
    ASSERT_EQ(f.size(), truce ? 1401u : 1400u);
    EXPECT_EQ(f[0], "[NP] 00 16*");
    EXPECT_EQ(f[1], "[N] 00Ann*");
    EXPECT_EQ(f[10], "[TURN] 00 2*");
    EXPECT_EQ(f[12].substr(0, 7), "[S] 00 ");
    EXPECT_EQ(f[12 + 3 * 14 + 11], "[PY] 03Cy's history*");
    EXPECT_EQ(f[12 + 420].substr(0, 8), "[FP] 00 ");
    EXPECT_EQ(f[12 + 420 + 900], "[BO] 00 0*");
    EXPECT_FALSE(yields[12 + 420 + 900]);
    EXPECT_EQ(f[1392], "[GH] 00Cy's log*");
    EXPECT_EQ(f[1393], "[SHOW] 00Galaxy*");
    std::vector<std::string> options(f.begin() + 1394, f.end());
    std::vector<std::string> expected = {"[SHIELD] 0000*",    "[MODE] 0000*",  "[MAXPROD] 0005*",
                                         "[TREASURES] 0003*", "[GATHER] 005*", "[RADAR] 00Unlimited*"};
    if (truce) expected.insert(expected.begin() + 1, "[TRUCE] 0008*");
    EXPECT_EQ(options, expected);
  }
}

TEST(FullState, ConnectedClientsOnlyAndAFailingClientIsNamedOnceWhileTheOthersGetEverything) {
  HostGame h;
  Game& g = h.g();
  g.PlayerName[3] = "Dee";
  h.t.ports.connected = {false, true, false, true};
  GalaxySync(g);
  std::map<char, int> perClient;
  for (const std::string& c : h.t.ports.calls)
    if (c.rfind("Send ", 0) == 0) ++perClient[c[5]];
  EXPECT_EQ(perClient, (std::map<char, int>{{'1', 1400}, {'3', 1400}}));

  // Socket 1 closes after its hundredth frame: its player is named once, socket 3 gets it all,
  // and nobody gets anything twice.
  h.t.ports.Clear();
  h.t.ports.connected = {false, true, false, true};
  int sends = 0;
  h.t.ports.onYield = [&] {
    if (++sends == 100) h.t.ports.connected[1] = false;
  };
  GalaxySync(g);
  perClient.clear();
  for (const std::string& c : h.t.ports.calls)
    if (c.rfind("Send ", 0) == 0) ++perClient[c[5]];
  EXPECT_EQ(perClient, (std::map<char, int>{{'1', 100}, {'3', 1400}}));
  EXPECT_EQ(h.t.ports.Count("MessageBox Zarnath Error: Problem Synchronizing Bob"), 1);
}

// A client given the host's whole state holds the same game.
TEST(FullState, AClientOpensTheHostsGameOnShowAndTakesTheOptionsAfterIt) {
  HostGame h;
  Game& host = h.g();
  host.setup.chkShield = 1, host.setup.chkMode = 1, host.TruceUntilTurn = 12;
  host.setup.txtOp = {"20", "4", "2"}, host.setup.OptRadar = {false, true, false};
  ClientGame c;
  c.t.ports.onGameCheck = [&] { GameCheck(c.g()); };
  c.TakeState(host, 1);
  Game& g = c.g();
  EXPECT_EQ(c.session->dropped, 0) << c.session->lastDropped;
  EXPECT_EQ(c.session->handled, 1401);
  for (int s = 0; s < kUsedFleetSlots; ++s) EXPECT_EQ(FleetRecord(g, s), FleetRecord(host, s));
  EXPECT_EQ(g.WorldCount, 16);
  EXPECT_EQ(g.WorldName, host.WorldName);
  EXPECT_EQ(g.WorldShips, host.WorldShips);
  EXPECT_EQ(g.WorldOwner, host.WorldOwner);
  EXPECT_EQ(g.WorldAngle, host.WorldAngle);
  EXPECT_EQ(g.CurrentPlayer, 1);
  EXPECT_TRUE(g.setup.chkShield == 1 && g.setup.chkMode == 1 && g.TruceUntilTurn == 12);
  EXPECT_EQ(g.menus.mnuOptionsRadar.Caption, "Home World Radar Off");
  EXPECT_EQ(g.menus.mnuOptionsProd.Caption, "Maximum World Production = 20");
  EXPECT_EQ(g.setup.txtOp, (std::array<std::string, 3>{"20", "4", "2"}));
  EXPECT_EQ(g.MaxProduction, 20.0);
  EXPECT_EQ(StatusCaption(g, 1), "Bob:  Taking Turn");
  EXPECT_TRUE(!g.menus.mnuFileNew.Enabled && !g.menus.mnuFileLoad.Enabled && !g.menus.mnuFileNewSS.Enabled);
  EXPECT_TRUE(g.window.Visible && !g.window.SetupVisible);
}

// A client that played a speed game with its fleets hidden opens the next game with both switched
// back, and the Options menu says so: its captions follow the switches, not the last game.
TEST(FullState, TheNextGameOpensWithTheSwitchesItsMenuShows) {
  HostGame h;
  ClientGame c;
  c.t.ports.onGameCheck = [&] { GameCheck(c.g()); };
  Game& g = c.g();
  SetSwitch(g, Switch::kSpeed, true);
  SetSwitch(g, Switch::kFleets, false);
  ASSERT_EQ(g.menus.mnuOptionsSpeed.Caption, "Turn Speed Game Off");
  c.TakeState(h.g(), 1);
  EXPECT_TRUE(!g.SpeedGame && !g.HideFleets);
  EXPECT_EQ(g.menus.mnuOptionsSpeed.Caption, "Turn Speed Game On");
  EXPECT_EQ(g.menus.mnuOptionsFleets.Caption, "Turn Traveling Fleets Off");
}

// Frames a host never sends, or sends otherwise, change nothing on a client.
TEST(Receiver, AClientDropsEveryMalformedOrOutOfRangeFrameWithNothingChanged) {
  HostGame h;
  ClientGame c;
  c.TakeState(h.g(), 1);
  const std::string record = FleetRecord(h.g(), 0);
  const std::string bad[] = {
      "[PS]07 12*",                                // no blank after the tag
      "[PS] 7x 12*",                               // an index that is not a number
      "[PS] 30 12*",                               // a world outside the table
      "[PS] 07abc*",                               // a payload that is not a number
      "[PS] 07 12abc*",                            // a number with something after it
      "[PS] 07 1E+400*",                           // beyond any float
      "[PO] 07 5*",                                // an owner beyond the seats
      "[PH] 07 101*",                              // a shield above 100
      "[PM] 07 2*",                                // a shield switch other than 0 and 1
      "[FP] 100 1*",                               // slot 10 with a payload that is no number
      "[BW] 20 3*",                                // a bomb slot outside the table
      "[BW] 03 31*",                               // a bomb on no world
      "[SEND] 05" + record.substr(1) + "*",        // a record of 30 characters
      "[SEND] 05" + record + "0*",                 // a record of 32 characters
      "[SEND] 05320100001000000.30010.0000.300*",  // a world beyond 30
      "[BATTLEACCU] 00 5099*",                     // an accuracy below 60
      "[BATTLEACCU] 00 606*",                      // three digits
      "[BATTLEDONE] 03 5*",                        // a side other than 1 and 2
      "[BATTLEDONE] 01 5*",                        // a free slot
      "[TURN] 00 7*",                              // a player beyond the seats
      "[NP] 00 40*",                               // more worlds than the table
      "[N] 01Thirteenchars*",                      // a name longer than any seat's
      "[UNSEND] 00" + record + "*",                // a client's order, from the host
      "[PULSEBOMB] 07PulseBomb*",                  // not a home world
      "[PROXIMITY] 0520*",                         // a bomb slot outside the table
      "[MAXPROD] 0031*",                           // production beyond its bar
      "[YEAR] 00-3*",                              // a year before the first
      "[WHAT] 00 1*",                              // not a tag of the game
      "[STATUS] 01Robert:  Done Turn*",            // a status under another name
      "[STATUS] 01Bob:  Asleep*",                  // a status the game does not have
  };
  for (const std::string& frame : bad) {
    const size_t before = Fingerprint(c.g());
    const int dropped = c.session->dropped;
    c.Receive(frame);
    EXPECT_EQ(c.session->dropped, dropped + 1) << frame;
    EXPECT_EQ(Fingerprint(c.g()), before) << frame;
  }
  // And a frame from the host after all of them is taken: one bad frame blocks nothing.
  c.Receive("[PS] 07 12,5*");
  EXPECT_EQ(c.g().WorldShips[7], 12.5f);
}

// Every tag that carries a world's or a slot's whole-number field takes on a client exactly the
// values its field holds in a game, its two ends included, and drops one beyond either end.
TEST(Receiver, EveryFieldTagTakesItsFieldsRangeAndNothingBeyond) {
  HostGame h;
  ClientGame c;
  c.TakeState(h.g(), 1);
  int tags = 0;
  for (const MessageEntry& e : Entries()) {
    const bool world = e.world != WorldField::kNone, slot = e.fleet != FleetField::kNone;
    if (!world && !slot) continue;
    const RecordField& f = world ? FieldOf(e.world) : FieldOf(e.fleet);
    if (f.width != FieldWidth::kByte && f.width != FieldWidth::kShort) continue;
    ++tags;
    const int index = world ? 7 : 5;
    auto stored = [&] { return world ? FieldText(c.g(), e.world, index) : FieldText(c.g(), e.fleet, index); };
    for (long long v : {f.lo, f.hi}) {
      const int dropped = c.session->dropped;
      c.Receive(Frame(e.id, index, Str(static_cast<double>(v))));
      EXPECT_EQ(c.session->dropped, dropped) << e.tag << " " << v;
      EXPECT_EQ(stored(), Str(static_cast<double>(v))) << e.tag;
    }
    for (long long v : {f.lo - 1, f.hi + 1}) {
      const int dropped = c.session->dropped;
      c.Receive(Frame(e.id, index, Str(static_cast<double>(v))));
      EXPECT_EQ(c.session->dropped, dropped + 1) << e.tag << " " << v;
    }
  }
  EXPECT_EQ(tags, 13);  // eight of a world, five of a slot
}

// What only a host sends is refused from a client; so is every forged order, with nothing changed.
TEST(Receiver, TheHostRefusesHostTagsAndForgedOrders) {
  HostGame h;
  Game& g = h.g();
  const int bob = 1, bobHome = kHomeWorld0 + 1, annHome = kHomeWorld0, cyHome = kHomeWorld0 + 2;
  g.WorldShips[bobHome] = 40, g.WorldBombs[bobHome] = 2;
  const std::string good = LaunchRecord(g, bobHome, 3, bob + 1, 10);
  std::string forgedTrip = good;
  forgedTrip.replace(15, 5, "0.050");
  std::string forgedClass = good;
  forgedClass[11] = g.WorldClass[bobHome] == 1 ? '2' : '1';
  const std::string bad[] = {
      "[PO] 09 2*",                                                 // a world field
      "[ENDTURN] 00Endturn*",                                       // the host's turn
      "[NP] 00 20*",                                                // a new state
      "[SHOW] 00Galaxy*",                                           //
      "[SEND] 00" + LaunchRecord(g, bobHome, 3, 3, 10) + "*",       // an owner other than the sender
      "[SEND] 00" + LaunchRecord(g, annHome, 3, 2, 10) + "*",       // from another seat's world
      "[SEND] 00" + LaunchRecord(g, bobHome, 3, 2, 41) + "*",       // more ships than the world holds
      "[SEND] 00" + forgedTrip + "*",                               // a trip shorter than the solver's
      "[SEND] 00" + forgedClass + "*",                              // a class the world does not have
      "[SEND] 00" + LaunchRecord(g, bobHome, bobHome, 2, 1) + "*",  // to itself
      "[UNSEND] 00" + good + "*",                                   // nothing of the kind in flight
      "[PM] 08 1*",                                                 // another seat's shield
      "[PT] 10 10*",                                                // another seat's pulse bomb
      "[PT] 09 11*",                                                // a code that is not the arming
      "[PB] 09 1*",                                                 // a bomb taken without arming
      "[STATUS] 02Cy:  Done Turn*",                                 // another seat's status
      "[STATUS] 01Bob:  Eliminated*",                               // a status a client never sends
  };
  for (const std::string& frame : bad) {
    const size_t before = Fingerprint(g);
    const int dropped = h.session->dropped;
    h.Receive(bob, frame);
    EXPECT_EQ(h.session->dropped, dropped + 1) << frame;
    EXPECT_EQ(Fingerprint(g), before) << frame;
  }
  EXPECT_TRUE(h.t.ports.Sent().empty());
  (void)cyHome;

  // The honest orders go through: a launch charges the world, its recall refunds it, the pulse
  // arming takes one bomb.
  h.Receive(bob, "[SEND] 00" + good + "*");
  EXPECT_EQ(g.WorldShips[bobHome], 30.0f);
  int slot = -1;
  for (int j = 0; j < kUsedFleetSlots; ++j)
    if (FleetRecord(g, j) == good) slot = j;
  ASSERT_GE(slot, 0);
  h.Receive(bob, "[UNSEND] 00" + good + "*");
  EXPECT_TRUE(g.WorldShips[bobHome] == 40.0f && g.FleetFrom[slot] == 0);
  h.Receive(bob, "[PM] 09 1*[PT] 09 10*[PB] 09 1*");
  EXPECT_TRUE(g.WorldShieldOn[bobHome] == 1 && g.WorldType[bobHome] == 10 && g.WorldBombs[bobHome] == 1);
  EXPECT_EQ(h.session->dropped, static_cast<int>(std::size(bad)));
}

TEST(Receiver, OrdersThatArriveWhileTheHostResolvesATurnAreDropped) {
  HostGame h;
  Game& g = h.g();
  const int bobHome = kHomeWorld0 + 1;
  g.WorldShips[bobHome] = 40;
  const std::string good = LaunchRecord(g, bobHome, 3, 2, 10);
  g.TurnResolving = true;
  h.Receive(1, "[SEND] 00" + good + "*[PM] 09 1*");
  EXPECT_TRUE(g.WorldShips[bobHome] == 40.0f && g.WorldShieldOn[bobHome] == 0);
  EXPECT_EQ(h.session->dropped, 2);
}

// The last client's Done, with the host done already, is relayed to everyone and ends the turn.
TEST(Receiver, TheLastDoneIsRelayedAndEndsTheTurnOnTheHost) {
  HostGame h;
  Game& g = h.g();
  g.SeatStatus[0] = TurnStatus::kDoneTurn;
  h.Receive(1, "[STATUS] 01Bob:  Done Turn*");
  EXPECT_EQ(g.GameYear, 1.0f);  // Cy still takes her turn
  EXPECT_EQ(h.t.ports.Sent(),
            (std::vector<std::string>{"[STATUS] 01Bob:  Done Turn*", "[STATUS] 01Bob:  Done Turn*"}));
  EXPECT_EQ(g.window.txtGame.Text, "- Waiting on Cy -");
  h.t.ports.Clear();
  h.Receive(2, "[STATUS] 02Cy:  Done Turn*");
  const auto sent = h.t.ports.Sent();
  ASSERT_GE(sent.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(sent.begin(), sent.begin() + 4),
            (std::vector<std::string>{"[STATUS] 02Cy:  Done Turn*", "[STATUS] 02Cy:  Done Turn*",
                                      "[ENDTURN] 00Endturn*", "[ENDTURN] 00Endturn*"}));
  EXPECT_FLOAT_EQ(g.GameYear, 1.05f);
  EXPECT_EQ(sent.back(), "[TRAVELHIDE] 00TravelHide*");
}

// A client stays locked from the host's end of turn to the end of its resolution.
TEST(Receiver, AClientStaysLockedFromEndTurnUntilTravelHide) {
  HostGame h;
  ClientGame c;
  c.t.ports.onGameCheck = [&] { GameCheck(c.g()); };
  c.TakeState(h.g(), 1);
  Game& g = c.g();
  g.TurnDone = true;
  c.Receive("[ENDTURN] 00Endturn*");
  EXPECT_TRUE(g.InputBusy && g.TurnResolving && g.TurnDone && !g.menus.mnuFile.Enabled);
  c.Receive("[GALAXYROTATE] 00GALAXYROTATE*[TRAVELSHOW] 00TravelShow*");
  EXPECT_TRUE(g.InputBusy && g.TurnResolving && g.TurnDone && !g.menus.mnuFile.Enabled);
  c.Receive("[TRAVELHIDE] 00TravelHide*");
  EXPECT_TRUE(!g.InputBusy && !g.TurnResolving && !g.TurnDone && g.menus.mnuFile.Enabled);
  EXPECT_FLOAT_EQ(g.GameYear, 1.05f);
}

}  // namespace
}  // namespace zarnath
