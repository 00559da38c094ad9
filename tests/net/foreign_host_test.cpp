// The program's client against a host it did not write: a script in this test plays the host,
// its frames written out by hand from the protocol's message catalogue. The client joins, takes
// the whole state, gives its orders (a fleet, a recall, Done), follows a turn of battles, bombs
// and a scout shot by shot, sees another player drop, and leaves when the host goes.
#include <cstdio>
#include <filesystem>
#include <functional>

#include "commands/command_view.h"
#include "commands/side_list_commands.h"
#include "engine/launch.h"
#include "engine/save_load.h"
#include "model/exact_number.h"
#include "model/game_texts.h"
#include "net/full_state.h"
#include "net/lobby.h"
#include "net/loopback.h"
#include "net/scripted_host.h"
#include "net_protocol/protocol_fixture.h"
#include "persist/persist_fixture.h"
#include "persist/saved_game.h"

namespace zarnath {
namespace {

using testing::F;
using testing::HostGame;
using testing::Joined;
using testing::kFree;
using testing::kWorlds;
using testing::NetGame;
using testing::Rec;
using testing::S;
using testing::ScriptedHost;
using testing::Settle;
using testing::StartFrames;
using testing::TurnRest;
using testing::TurnStart;
using testing::WaitFor;

// Ann's chat lines `from` to `to` - 1, each one some forty characters.
std::string ChatLines(int from, int to) {
  std::string s;
  for (int i = from; i < to; ++i) s += F("MESSAGE", 0, " Ann: line " + std::to_string(i) + " of the goodbye");
  return s;
}

// The host ends a turn, says four hundred lines of goodbye and goes, all in one write: Bob's
// window replays the turn, shows every line and only then the loss.
TEST(ForeignHost, EveryLineAHostWroteBeforeItClosedIsShownBeforeTheLoss) {
  Joined j;
  ASSERT_TRUE(j.Start(StartFrames()));
  j.bob.ports.recording = true;
  EndSeatTurn(j.g);  // Bob's Done: his host may end the turn
  j.host.peer.Write(TurnStart() + TurnRest(40) + ChatLines(0, 400));
  j.host.peer.socket->disconnectFromHost();
  ASSERT_TRUE(WaitFor([&] { return !j.g.GameInProgress; }));
  ASSERT_TRUE(j.lost);
  ASSERT_EQ(j.chatAtLoss, 400u);
  for (size_t i = 0; i < j.chat.size(); ++i)
    EXPECT_EQ(j.chat[i], " Ann: line " + std::to_string(i) + " of the goodbye\r\n");
  EXPECT_TRUE(j.bob.ports.Has("MessageBox Zarnath: Connection with Server Lost!  Exiting Game"));
  EXPECT_EQ(j.bob.session->dropped, 0);
}

// The game's last turn comes behind a long chat and the host goes right after it: the client
// replays the whole turn before it learns that the host is gone.
TEST(ForeignHost, TheEndOfATurnIsNotLostWhenTheHostLeavesRightAfterIt) {
  Joined j;
  ASSERT_TRUE(j.Start(StartFrames()));
  // The pulse bomb's show comes in the first piece the client reads, the turn's end after it.
  const std::string start = TurnStart();
  int lines = 0;
  while (ChatLines(0, lines + 1).size() + start.size() < SocketNetwork::kReadPiece - 256) ++lines;
  const std::string all = ChatLines(0, lines) + start + TurnRest(77);
  ASSERT_GT(all.size(), static_cast<size_t>(SocketNetwork::kReadPiece));
  EndSeatTurn(j.g);
  j.host.peer.Write(all);
  j.host.peer.socket->disconnectFromHost();
  ASSERT_TRUE(WaitFor([&] { return !j.g.GameInProgress; }));
  ASSERT_TRUE(j.lost);
  EXPECT_EQ(j.chatAtLoss, static_cast<size_t>(lines));
  EXPECT_FALSE(j.resolvingAtLoss);  // the turn's end was handled before the loss
  EXPECT_FLOAT_EQ(j.g.GameYear, 1.05f);
  EXPECT_EQ(j.g.WorldShips[11], 77.0f);
  EXPECT_EQ(j.bob.session->dropped, 0);
}

// The host ends a turn, says a few lines and goes, all in one write. The client takes the turn
// at one pass of its event loop and what follows at the next; the lines, and then the loss,
// come without anything more arriving from the host.
TEST(ForeignHost, AFewLinesAfterATurnAndTheCloseAreTakenAtTheNextPassOfTheEventLoop) {
  Joined j;
  ASSERT_TRUE(j.Start(StartFrames()));
  EndSeatTurn(j.g);
  j.host.peer.Write(TurnStart() + TurnRest(40) + ChatLines(0, 3));
  j.host.peer.socket->disconnectFromHost();
  ASSERT_TRUE(WaitFor([&] { return !j.g.GameInProgress; }, 5000)) << j.chat.size() << " lines shown";
  ASSERT_TRUE(j.lost);
  EXPECT_EQ(j.chatAtLoss, 3u);
  EXPECT_FLOAT_EQ(j.g.GameYear, 1.05f);
  EXPECT_EQ(j.bob.session->dropped, 0);
}

// A host whose state is not complete when it says [SHOW]: the client opens no game window, closes
// its link, says why and goes back to the server search. A frame the client refused leaves the
// state incomplete even when the host sends it again soundly.
TEST(ForeignHost, AStateThatIsNotCompleteOpensNoGameWindow) {
  const std::string whole = StartFrames();
  auto without = [&](const std::string& frame, const std::string& instead = "") {
    std::string s = whole;
    const size_t at = s.find(frame);
    EXPECT_NE(at, std::string::npos) << frame;
    return s.replace(at, frame.size(), instead);
  };
  // `bad` in place of `frame`, and `later` sent after every world and slot, before the game log.
  auto refused = [&](const std::string& frame, const std::string& bad, const std::string& later) {
    const std::string log = F("GH", 0, "");
    std::string s = without(frame, bad);
    return s.replace(s.find(log), log.size(), later + log);
  };
  struct Case {
    std::string frames, why;
  };
  const Case cases[] = {
      {without(F("YEAR", 0, S(1))), "Missing: [YEAR] 00"},
      // The last of each kind: seat, world, travel slot and proximity bomb.
      {without(F("N", 3, "")), "Missing: [N] 03"},
      {without(F("PV", 3, S(0))), "Missing: [PV] 03"},
      {without(F("PY", 29, "")), "Missing: [PY] 29"},
      {without(F("SS", 99, S(0))), "Missing: [SS] 99"},
      {without(F("BT", 19, S(0))), "Missing: [BT] 19"},
      // A refused frame stays refused when it comes again soundly, and of two the first is named.
      {refused(F("PS", 3, S(10)), F("PS", 3, "lots"), F("PS", 3, S(10))), "Refused: [PS] 03lots"},
      {refused(F("PS", 3, S(10)), F("PS", 3, "lots"), F("PC", 7, "many")), "Refused: [PS] 03lots"},
      {without(F("YEAR", 0, S(1)), F("YEAR", 0, " 0.5")), "The year 0.5 is before 1.00."},
      {without(F("NP", 0, S(kWorlds))), "Missing: [NP] 00"},
      {without(F("TD", 57, S(0))), "Missing: [TD] 57"},
      {without(F("PS", 3, S(10)), F("PS", 3, "lots")), "Refused: [PS] 03lots"},
      // A host that sends a name and shows its game at once.
      {F("N", 1, "On") + F("SHOW", 0, "Galaxy") + F("RADAR", 0, "Off"), "Missing: [NP] 00"},
  };
  for (const Case& c : cases) {
    Joined j;
    j.bob.ports.recording = true;
    const std::string radar = j.g.menus.mnuOptionsRadar.Caption;
    j.host.peer.Write(c.frames);
    EXPECT_TRUE(WaitFor([&] { return j.host.peer.socket->state() != QAbstractSocket::ConnectedState; }))
        << c.why;
    EXPECT_TRUE(j.bob.ports.Has("MessageBox Zarnath: Incomplete Game From Server!  Exiting Game\r" + c.why))
        << c.why;
    EXPECT_FALSE(j.g.window.Visible || j.g.GameInProgress || j.bob.ports.Has("ShowGameWindow")) << c.why;
    EXPECT_EQ(j.g.setup.lblStatus[1], "Looking for Server...") << c.why;
    EXPECT_EQ(j.g.menus.mnuOptionsRadar.Caption, radar) << c.why;  // nothing after [SHOW] was taken
  }
  // The same in a game: a state sent again without its year ends the client's game.
  Joined j;
  ASSERT_TRUE(j.Start(whole));
  j.bob.ports.recording = true;
  j.host.peer.Write(cases[0].frames);
  ASSERT_TRUE(WaitFor([&] { return !j.g.GameInProgress; }));
  EXPECT_TRUE(
      j.bob.ports.Has("MessageBox Zarnath: Incomplete Game From Server!  Exiting Game\rMissing: [YEAR] 00"));
  EXPECT_TRUE(j.bob.ports.Has("ReturnToSetup"));
  EXPECT_FALSE(j.g.window.Visible);
  EXPECT_TRUE(WaitFor([&] { return j.host.peer.socket->state() != QAbstractSocket::ConnectedState; }));
  // A [SHOW] with no [NP] before it, once Bob is done: the game he leaves keeps no lock of his.
  Joined k;
  ASSERT_TRUE(k.Start(whole));
  EndSeatTurn(k.g);
  k.host.peer.Write(F("SHOW", 0, "Galaxy"));
  ASSERT_TRUE(WaitFor([&] { return !k.g.GameInProgress; }));
  EXPECT_FALSE(k.g.TurnDone || k.g.InputBusy || k.g.TurnResolving);
  EXPECT_TRUE(k.g.menus.mnuFile.Enabled);
}

// A host that turns the year two thousand times in one turn, then goes: the client turns it once
// and is free at once to show the loss.
TEST(ForeignHost, AHostThatTurnsTheYearAgainAndAgainTurnsItOnceOnTheClient) {
  Joined j;
  ASSERT_TRUE(j.Start(StartFrames()));
  std::string turn = F("ENDTURN", 0, "Endturn");
  for (int k = 0; k < 2000; ++k) turn += F("GALAXYROTATE", 0, "GALAXYROTATE");
  EndSeatTurn(j.g);
  j.host.peer.Write(turn);
  j.host.peer.socket->disconnectFromHost();
  ASSERT_TRUE(WaitFor([&] { return !j.g.GameInProgress; }));
  EXPECT_FLOAT_EQ(j.g.GameYear, 1.05f);
  EXPECT_EQ(j.bob.session->dropped, 1999);
}

// A host that floods the turn with pulse bombs, shown and not, on worlds with bombs and without,
// in the turn and out of it: each home world that holds a bomb goes off once.
TEST(ForeignHost, AFloodOfPulseBombsSetsOffOnlyTheBombsATurnCanHold) {
  Joined j;
  // Cy's home (10) has no bomb; the fourth home world has no player.
  std::string start = StartFrames();
  const std::string cysBombs = F("PB", 10, S(3));
  start.replace(start.find(cysBombs), cysBombs.size(), F("PB", 10, S(0)));
  ASSERT_TRUE(j.Start(start));
  j.bob.ports.recording = true;
  std::string turn =
      F("PULSEBOMB", 8, "PulseBomb") + F("ENDTURN", 0, "Endturn") + F("PULSEBOMB", 9, "PulseBomb");
  for (int k = 0; k < 500; ++k)
    turn += F("TRAVELSHOW", 0, "TravelShow") + F("PULSEBOMB", 8 + k % 4, "PulseBomb");
  turn += F("GALAXYROTATE", 0, "GALAXYROTATE");
  for (int k = 0; k < 500; ++k) turn += F("TRAVELSHOW", 0, "TravelShow") + F("PULSEBOMB", 8, "PulseBomb");
  turn += F("TRAVELHIDE", 0, "TravelHide");
  for (int k = 0; k < 500; ++k) turn += F("TRAVELSHOW", 0, "TravelShow") + F("PULSEBOMB", 9, "PulseBomb");
  EndSeatTurn(j.g);
  j.host.peer.Write(turn);
  j.host.peer.socket->disconnectFromHost();
  ASSERT_TRUE(WaitFor([&] { return !j.g.GameInProgress; }));
  // Ann's and Bob's bombs went off. Refused: the two bombs before the turn or unshown, 498 of
  // the flood (repeats, and worlds without a bomb or a player), 500 after the turn of the year,
  // and all 1000 frames after the turn's end.
  EXPECT_EQ(j.bob.ports.Count("Sound pulse.wav"), 2);
  EXPECT_EQ(j.bob.session->dropped, 2 + 498 + 500 + 500 + 500);
  EXPECT_FLOAT_EQ(j.g.GameYear, 1.05f);
}

// Bob is in the lobby of a scripted host, Ann, and a step of his window yields (the question
// "Do You Want to Disconnect From This Server?" stands) when her start comes: the start waits.
// Bob leaves her by her name meanwhile. Nothing of her game opens, now or once the step is done,
// and she sees her link closed; nor when she went herself before his Yes, her loss waiting behind
// her start. A second scripted host, Cy, then has him: Bob joins with his name and his mark,
// marks Cy's state once, and his Done goes out as the protocol's own frame.
TEST(ForeignHost, AClientThatLeftAHostByItsNameTakesNothingOfItAndPlaysWithTheNext) {
  for (const bool annGoes : {true, false}) {
    SCOPED_TRACE(annGoes ? "Ann goes before the Yes" : "Ann stays");
    Joined j;
    j.host.peer.Write(F("NAME", 1, "Ann"));
    ASSERT_TRUE(WaitFor([&] { return j.g.setup.txtPL[1] == "Ann"; }));
    bool startWaited = false;
    j.bob.ports.onYield = [&] {
      j.host.peer.Write(StartFrames());
      startWaited = WaitFor([&] { return j.bob.session->LeftUntilYieldsEnd(); });
      if (annGoes) {
        j.host.peer.socket->disconnectFromHost();
        EXPECT_TRUE(WaitFor([&] { return !j.bob.net.SocketConnected(0); }));
        Settle(100);
      }
      j.bob.ports.answers = {Answer::kYes};
      txtPL_Click(j.g, 1);
    };
    j.g.io.platform.Yield();
    j.bob.ports.onYield = [] { QCoreApplication::processEvents(); };
    ASSERT_TRUE(startWaited);
    EXPECT_TRUE(WaitFor([&] { return j.host.peer.socket->state() != QAbstractSocket::ConnectedState; }));
    Settle(300);
    EXPECT_FALSE(j.g.GameInProgress || j.g.window.Visible || j.g.InputBusy);
    EXPECT_EQ(j.bob.session->handled, 1);  // Ann's name, and nothing of her game
    EXPECT_EQ(j.g.setup.lblStatus[1], "Looking for Server...");
    if (annGoes) continue;

    ScriptedHost cy;
    j.bob.Join(cy.peer.Listen());
    ASSERT_TRUE(cy.peer.Accept());
    EXPECT_EQ(cy.Take(1), std::vector<std::string>{"[NAME] 00Bob"});
    EXPECT_EQ(cy.marks, 1u);
    cy.peer.Write(StartFrames());
    ASSERT_TRUE(WaitFor([&] { return j.g.window.Visible && j.g.menus.mnuOptionsRadar.Caption != ""; }));
    EXPECT_EQ(j.g.WorldName[9], "Juniper");
    EndSeatTurn(j.g);
    EXPECT_EQ(cy.Take(1), std::vector<std::string>{"[STATUS] 01Bob:  Done Turn"});
    EXPECT_EQ(cy.marks, 2u) << "Bob marks Cy's state once";
    EXPECT_EQ(j.bob.session->dropped, 0) << j.bob.session->lastDropped;
  }
}

// The frames of a state one by one, each with its star.
std::vector<std::string> FramesOf(const std::string& frames) {
  std::vector<std::string> out;
  for (size_t from = 0, star; (star = frames.find('*', from)) != std::string::npos; from = star + 1)
    out.push_back(frames.substr(from, star + 1 - from));
  return out;
}

// What the host's recording ports sent to socket 1 since they were last cleared, in one piece.
std::string SentToBob(HostGame& h) {
  std::string out;
  const std::string head = "Send 1 ";
  for (const std::string& c : h.t.ports.calls)
    if (c.starts_with(head)) out += c.substr(head.size());
  h.t.ports.Clear();
  return out;
}

// Seat 1's state as the records make it, one frame each. For a comparison, as a client holds it:
// without the seat's game log, which each machine writes for itself, and the battles' pace, which
// a client sets for itself, with each comma a point, as a client takes every payload, and each
// object's time left to single precision, as a client keeps it.
std::vector<std::string> StateOf(const Game& g, bool whole = false) {
  std::vector<std::string> out;
  ForEachStateFrame(g, 1, [&](std::string f, bool) {
    if (whole) return out.push_back(std::move(f));
    if (f.starts_with("[GH]") || f.starts_with("[TIME]")) return;
    std::replace(f.begin(), f.end(), ',', '.');
    if (f.starts_with("[TD]")) {
      const float left = static_cast<float>(std::stod(f.substr(7, f.size() - 8)));
      f = f.substr(0, 7) + ExactStr(static_cast<double>(left)) + "*";
    }
    out.push_back(std::move(f));
  });
  return out;
}

// A host's whole state for seat 1, in one piece.
std::string WholeState(const Game& g) {
  std::string state;
  ForEachStateFrame(g, 1, [&](std::string f, bool) { state += f; });
  return state;
}

// A real host's whole state for seat 1, in one piece.
std::string HostsState() {
  HostGame h;
  return WholeState(h.g());
}

// A hostile host: once Bob is done it ends the turn, begins a new state and sends 699 of its
// frames but never shows it, then ends a turn again, turns the year and ends the turn's replay,
// and keeps the link. Bob plays the frames as they come, but nothing opens on the half state:
// his window stays locked, no clock runs, his Done goes nowhere, and a save writes nothing and
// says why. When the host then sends a whole state, the game opens on it as a start opens it:
// the menus and the move log free, and a save writes the file.
TEST(ForeignHost, AHostThatNeverFinishesItsStateOpensNothingUntilAWholeStateComes) {
  testing::ScratchFolder folder;
  Joined j;
  ASSERT_TRUE(j.Start(StartFrames()));
  EndSeatTurn(j.g);
  EXPECT_EQ(j.host.Take(1), std::vector<std::string>{"[STATUS] 01Bob:  Done Turn"});
  const std::vector<std::string> state = FramesOf(StartFrames());
  std::string half = F("ENDTURN", 0, "Endturn");
  for (size_t k = 0; k < 700; ++k) half += state[k];
  half +=
      F("ENDTURN", 0, "Endturn") + F("GALAXYROTATE", 0, "GALAXYROTATE") + F("TRAVELHIDE", 0, "TravelHide");
  const int taken = j.bob.session->handled + 704;
  j.host.peer.Write(half);
  ASSERT_TRUE(WaitFor([&] { return j.bob.session->handled + j.bob.session->dropped == taken; }));
  Settle(200);
  EXPECT_EQ(j.bob.session->dropped, 0) << j.bob.session->lastDropped;
  EXPECT_FLOAT_EQ(j.g.GameYear, 1.05f);  // the turn's frames, played as they came
  EXPECT_TRUE(j.g.InputBusy && j.g.StateComing && !j.g.menus.mnuFile.Enabled && j.g.window.txtMove.Busy);
  EXPECT_FALSE(j.bob.ports.TimerEnabled(GameTimer::kTurn));
  EndSeatTurn(j.g);
  j.bob.ports.recording = true;
  const std::string path = folder.File("half.zq");
  EXPECT_FALSE(SaveGame(j.g, path));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_TRUE(j.bob.ports.Has(
      "MessageBox Zarnath Error: The game was not saved.\rThe server is still sending its game, so no whole "
      "turn of it is here to save yet."));
  EXPECT_TRUE(j.bob.ports.Sent().empty()) << j.bob.ports.Sent().front();

  // Nor does a "Taking Turn" for Bob's own seat give him his turn back while a state comes.
  Joined k;
  ASSERT_TRUE(k.Start(StartFrames()));
  EndSeatTurn(k.g);
  const int shown = k.bob.session->handled + 10;
  k.host.peer.Write(half.substr(half.find("[NP]"), half.find("[YEAR]") - half.find("[NP]")) +
                    F("STATUS", 1, "Bob:  Taking Turn"));
  ASSERT_TRUE(WaitFor([&] { return k.bob.session->handled + k.bob.session->dropped == shown; }));
  EXPECT_TRUE(k.g.TurnDone && k.g.StateComing);
  EXPECT_FALSE(k.bob.ports.TimerEnabled(GameTimer::kTurn));

  // The turn that was ended before the state locked the window's menus and its move log.
  j.host.peer.Write(F("ENDTURN", 0, "Endturn") + HostsState());
  ASSERT_TRUE(WaitFor([&] { return !j.g.StateComing && !j.g.InputBusy; }));
  EXPECT_TRUE(j.g.menus.mnuFile.Enabled && j.g.menus.mnuOptions.Enabled && !j.g.window.txtMove.Busy);
  EXPECT_TRUE(SaveGame(j.g, path));
}

// The names a host sends are its own (any character), and what the save writes the loader reads:
// a name whose control character the file's cipher would turn into a line's end is not written,
// and the reason is shown; one whose control character stays inside its line saves and loads
// back. A state whose first seat has no name opens, but breaks a rule the loader keeps: it is not
// written either.
TEST(ForeignHost, WhatTheSaveWritesOfAHostsNamesTheLoaderReads) {
  testing::ScratchFolder folder;
  struct Case {
    std::string name;  // Cy's name as the host sends it
    bool saves;
  };
  for (const Case& c : {Case{"C\013y", false}, Case{"\013Cy", true}, Case{"Cy\002", false}}) {
    std::string frames = HostsState();
    const std::string cy = F("N", 2, "Cy");
    frames.replace(frames.find(cy), cy.size(), F("N", 2, c.name));
    Joined j;
    ASSERT_TRUE(j.Start(frames));
    EXPECT_EQ(j.g.PlayerName[2], c.name);
    j.bob.ports.recording = true;
    const std::string path = folder.File("names.zq");
    std::filesystem::remove(path);
    // Without the save's check, the loader refuses what the writer makes of such a name.
    EXPECT_EQ(ReadSavedGame(j.g.state(), SavedGameText(j.g.state())).state.has_value(), c.saves);
    EXPECT_EQ(SaveGame(j.g, path), c.saves);
    EXPECT_EQ(std::filesystem::exists(path), c.saves);
    if (c.saves) {
      EXPECT_EQ(LoadSavedGame(j.g, path), LoadOutcome::kLoaded);
      EXPECT_EQ(j.g.PlayerName[2], c.name);
    } else {
      EXPECT_TRUE(
          j.bob.ports.Has("MessageBox Zarnath Error: The game was not saved.\rThe name \"C?y\" of player 3 "
                          "(Yellow) holds a character that a saved game cannot keep.") ||
          j.bob.ports.Has("MessageBox Zarnath Error: The game was not saved.\rThe name \"Cy?\" of player 3 "
                          "(Yellow) holds a character that a saved game cannot keep."));
    }
  }
  std::string unnamed = HostsState();
  const std::string ann = F("N", 0, "Ann");
  unnamed.replace(unnamed.find(ann), ann.size(), F("N", 0, ""));
  Joined j;
  ASSERT_TRUE(j.Start(unnamed));
  j.bob.ports.recording = true;
  EXPECT_FALSE(SaveGame(j.g, folder.File("unnamed.zq")));
  EXPECT_FALSE(std::filesystem::exists(folder.File("unnamed.zq")));
  EXPECT_TRUE(
      j.bob.ports.Has("MessageBox Zarnath Error: The game was not saved.\rplayer 0, name: the first "
                      "seat is empty: no game is set up."));
}

// A real host's game (Ann, with Bob and Cy), whose frames a scripted host passes on to Bob's
// program over a real socket. Ann's and Bob's fleets of 500 reach neutral worlds in this turn.
struct HostAndBob {
  HostGame h;
  Joined j;
  bool Start() {
    if (!j.Start(WholeState(h.g()))) return false;
    GameState& g = h.g().state();
    const int targets[2] = {0, 1};
    for (int seat = 0; seat < 2; ++seat) {
      const size_t slot = static_cast<size_t>(seat), to = static_cast<size_t>(targets[seat]);
      g.FleetFrom[slot] = static_cast<uint8_t>(kHomeWorld0 + seat + 1);
      g.FleetTo[slot] = static_cast<uint8_t>(to + 1);
      g.FleetOwner[slot] = static_cast<uint8_t>(seat + 1);
      g.FleetShips[slot] = 500;
      g.FleetClass[slot] = 2;
      g.FleetTripTime[slot] = g.FleetTimeLeft[slot] = 0.05;
      g.FleetAngleParam[slot] = 0.5;
    }
    return g.WorldOwner[0] == 0 && g.WorldOwner[1] == 0;
  }
  // Ann and Cy are done; Bob's Done goes to the host. The frames Bob is sent before his Done
  // reaches the host, and, once it has, the turn it ends.
  std::string DoneAll() {
    EndSeatTurn(h.g());
    h.Receive(2, "[STATUS] 02Cy:  Done Turn*");
    const std::string before = SentToBob(h);
    EndSeatTurn(j.g);
    EXPECT_EQ(j.host.Take(1), std::vector<std::string>{"[STATUS] 01Bob:  Done Turn"});
    return before;
  }
  std::string BobsDoneReachesTheHost() {
    const float year = h.g().GameYear;
    h.Receive(1, "[STATUS] 01Bob:  Done Turn*");
    EXPECT_GT(h.g().GameYear, year) << "the host ended the turn";
    return SentToBob(h);
  }
  // Bob's program takes `frames` and is left with the window open on them.
  void Send(const std::string& frames) {
    const int taken =
        j.bob.session->handled + j.bob.session->dropped + static_cast<int>(FramesOf(frames).size());
    j.host.peer.Write(frames);
    ASSERT_TRUE(WaitFor([&] { return j.bob.session->handled + j.bob.session->dropped == taken; }));
  }
};

// An honest host (a real host's records, passed on by a scripted one) whose turn ends amid the
// state it sends again: Bob's Done, sent before the state reached him, is handled in a yield of
// the host's sends after `cut` frames of it. The turn's frames come there, holding what the host
// held, and the rest of the state follows as the host holds it after the turn. Bob plays each
// frame as it comes, opens nothing until the state's [SHOW], then stands where the host stands:
// year, owners (the two worlds taken in that turn), orbits, fleets. So he does over the next two
// turns, and his save of the game writes a file.
TEST(ForeignHost, ATurnEndedAmidAHostsStatePlaysAsItComesAndOpensOnTheHostsGame) {
  testing::ScratchFolder folder;
  size_t show = 0;
  {
    HostGame h;
    const auto state = StateOf(h.g(), true);
    show = static_cast<size_t>(std::find(state.begin(), state.end(), "[SHOW] 00Galaxy*") - state.begin());
  }
  for (const size_t cut : {size_t{1}, size_t{10}, size_t{700}, show}) {
    SCOPED_TRACE("the turn after " + std::to_string(cut) + " frames of the state");
    HostAndBob s;
    ASSERT_TRUE(s.Start());
    Game& bob = s.j.g;
    const std::string relayed = s.DoneAll();
    const std::vector<std::string> before = StateOf(s.h.g(), true);
    const std::string turn = s.BobsDoneReachesTheHost();
    ASSERT_NE(turn.find("[ENDTURN]"), std::string::npos);
    ASSERT_EQ(s.h.g().WorldOwner[0], 1);
    ASSERT_EQ(s.h.g().WorldOwner[1], 2);
    const std::vector<std::string> after = StateOf(s.h.g(), true);
    ASSERT_EQ(before.size(), after.size());
    std::string frames = relayed;
    for (size_t k = 0; k < before.size(); ++k) {
      if (k == cut) {
        frames += turn;
        // Inside the state the turn opens nothing: Bob's window waits, locked, for its [SHOW].
        s.Send(frames);
        EXPECT_TRUE(bob.StateComing && bob.InputBusy && !bob.menus.mnuFile.Enabled);
        EXPECT_FALSE(s.j.bob.ports.TimerEnabled(GameTimer::kTurn));
        EXPECT_FALSE(SaveGame(bob, folder.File("coming.zq")));
        frames.clear();
      }
      frames += (k < cut ? before : after)[k];
    }
    s.Send(frames);
    EXPECT_EQ(s.j.bob.session->dropped, 0) << s.j.bob.session->lastDropped;
    EXPECT_FALSE(bob.StateComing || bob.InputBusy || bob.TurnDone || bob.TurnResolving);
    EXPECT_TRUE(bob.window.Visible && bob.menus.mnuFile.Enabled && !bob.window.txtMove.Busy);
    EXPECT_FLOAT_EQ(bob.GameYear, 1.05f);
    EXPECT_EQ(bob.WorldOwner[0], 1);
    EXPECT_EQ(bob.WorldOwner[1], 2);
    EXPECT_EQ(StateOf(bob), StateOf(s.h.g()));

    for (int next = 0; next < 2; ++next) {
      const std::string relayed = s.DoneAll();
      s.Send(relayed + s.BobsDoneReachesTheHost());
      EXPECT_FALSE(bob.InputBusy || bob.TurnDone || bob.TurnResolving);
      EXPECT_EQ(StateOf(bob), StateOf(s.h.g())) << "turn " << next + 2;
    }
    EXPECT_EQ(s.j.bob.session->dropped, 0) << s.j.bob.session->lastDropped;
    EXPECT_TRUE(SaveGame(bob, folder.File("bob.zq")));
  }
}

// Two turns that a real host ends in the yields of one state it sends Bob: the state's frames
// before `first` as the host held them before the turns, the first turn, those before `second` as
// it held them after that turn, the second turn, and the rest as it held them after both.
// `end(t)` ends turn t (0 or 1) on the host and gives what the host sent Bob for it.
std::string TwoTurnsAmidAState(HostGame& h, size_t first, size_t second,
                               const std::function<std::string(int)>& end) {
  std::vector<std::string> states[3] = {StateOf(h.g(), true)};
  std::string turns[2];
  for (int t = 0; t < 2; ++t) {
    const float year = h.g().GameYear;
    turns[t] = end(t);
    EXPECT_GT(h.g().GameYear, year) << "the host ended turn " << t + 1;
    states[t + 1] = StateOf(h.g(), true);
  }
  std::string frames;
  for (size_t k = 0; k < states[0].size(); ++k) {
    if (k == first) frames += turns[0];
    if (k == second) frames += turns[1];
    frames += states[k < first ? 0 : k < second ? 1 : 2][k];
  }
  return frames;
}

// Ann's Done on the host and Cy's reaching it; what the host sent Bob meanwhile.
std::string AnnAndCyDone(HostGame& h) {
  EndSeatTurn(h.g());
  h.Receive(2, "[STATUS] 02Cy:  Done Turn*");
  return SentToBob(h);
}

// A host counts a seat out of the game as done, so it may end two turns, or more, while one state
// of its goes out. Bob's seat is out (his home world is Ann's, and nothing of his flies, or a scout
// of his is still on its way): he plays both turns as they come, nothing opens until the state's
// [SHOW], and there he stands where the host stands. A seat in play finished the first turn of a
// hostile host's two (its Done went out) but not the second: that one is refused, and its year is
// not turned.
TEST(ForeignHost, TwoTurnsAmidOneStatePlayForASeatOutOfTheGameButNotForOneInPlayWithoutItsDone) {
  testing::ScratchFolder folder;
  size_t show = 0;
  {
    HostGame h;
    const auto state = StateOf(h.g(), true);
    show = static_cast<size_t>(std::find(state.begin(), state.end(), "[SHOW] 00Galaxy*") - state.begin());
  }
  for (const bool flies : {false, true})
    for (const auto& [first, second] : {std::pair<size_t, size_t>{1, 2}, {10, 700}, {700, show}}) {
      SCOPED_TRACE(std::string(flies ? "a scout of Bob's flies" : "nothing of Bob's flies") +
                   "; turns after " + std::to_string(first) + " and " + std::to_string(second) +
                   " frames of the state");
      HostAndBob s;
      Game& bob = s.j.g;
      GameState& host = s.h.g().state();
      host.WorldOwner[kHomeWorld0 + 1] = 1;
      if (flies) {
        host.FleetFrom[0] = kHomeWorld0 + 2;
        host.FleetTo[0] = 1;
        host.FleetOwner[0] = 2;
        host.FleetClass[0] = 2;
        host.FleetTripTime[0] = host.FleetTimeLeft[0] = 1.0;
        host.FleetAngleParam[0] = 0.5;
      }
      GameCheck(s.h.g());
      ASSERT_EQ(StatusCaption(s.h.g(), 1), flies ? "Bob:  Done Turn" : "Bob:  Eliminated");
      ASSERT_TRUE(s.j.Start(WholeState(s.h.g())));
      ASSERT_TRUE(bob.TurnDone);  // nothing to order
      SentToBob(s.h);
      const std::string frames =
          TwoTurnsAmidAState(s.h, first, second, [&](int) { return AnnAndCyDone(s.h); });
      const size_t at = frames.find("[SHOW] 00Galaxy*");
      s.j.bob.ports.recording = true;
      s.Send(frames.substr(0, at));
      EXPECT_EQ(s.j.bob.session->dropped, 0) << s.j.bob.session->lastDropped;
      EXPECT_FLOAT_EQ(bob.GameYear, 1.10f);
      EXPECT_TRUE(bob.StateComing && bob.InputBusy && !bob.menus.mnuFile.Enabled);
      // Neither turn armed a clock, and the state stopped the one the seat with a scout in flight
      // had: the game it was counting for is gone.
      EXPECT_FALSE(s.j.bob.ports.Has("Timer tmrTurn on 60000"));
      EXPECT_FALSE(s.j.bob.ports.TimerEnabled(GameTimer::kTurn));
      EXPECT_FALSE(SaveGame(bob, folder.File("coming.zq")));
      s.j.bob.ports.recording = false;
      s.Send(frames.substr(at));
      EXPECT_EQ(s.j.bob.session->dropped, 0) << s.j.bob.session->lastDropped;
      EXPECT_FALSE(bob.StateComing || bob.InputBusy || bob.TurnResolving);
      EXPECT_TRUE(bob.window.Visible && bob.menus.mnuFile.Enabled && !bob.window.txtMove.Busy);
      EXPECT_FLOAT_EQ(bob.GameYear, 1.10f);
      EXPECT_EQ(StateOf(bob), StateOf(s.h.g()));
      EXPECT_EQ(StatusCaption(bob, 1), StatusCaption(s.h.g(), 1));
      EXPECT_TRUE(bob.TurnDone);
    }

  // Bob in play: his Done of the first turn went out, the host forges his Done of the second.
  HostAndBob s;
  ASSERT_TRUE(s.Start());
  Game& bob = s.j.g;
  std::string frames = s.DoneAll();
  frames += TwoTurnsAmidAState(s.h, 10, 700, [&](int t) {
    if (t == 0) return s.BobsDoneReachesTheHost();
    const std::string before = AnnAndCyDone(s.h);
    s.h.Receive(1, "[STATUS] 01Bob:  Done Turn*");
    return before + SentToBob(s.h);
  });
  const size_t at = frames.find("[SHOW] 00Galaxy*");
  s.Send(frames.substr(0, at));
  // Refused: the second turn's end, its year and the end of its replay.
  EXPECT_EQ(s.j.bob.session->dropped, 3) << s.j.bob.session->lastDropped;
  EXPECT_EQ(s.j.bob.session->lastDropped, "[TRAVELHIDE] 00TravelHide");
  EXPECT_FLOAT_EQ(bob.GameYear, 1.05f);
  EXPECT_TRUE(bob.StateComing && bob.InputBusy && !bob.menus.mnuFile.Enabled);
  s.Send(frames.substr(at));
  EXPECT_FLOAT_EQ(bob.GameYear, 1.05f);
  EXPECT_FALSE(bob.StateComing || bob.InputBusy || bob.TurnDone);
}

TEST(ForeignHost, TheClientFollowsAScriptedHostThroughBattlesBombsARecallAndADrop) {
  ScriptedHost host;
  NetGame bob(false);
  Game& g = bob.game;
  g.setup.txtPL[0] = "Bob";
  bob.Join(host.peer.Listen());
  ASSERT_TRUE(host.peer.Accept());
  EXPECT_EQ(host.Take(1), std::vector<std::string>{"[NAME] 00Bob"});
  host.peer.Write(F("NAME", 1, "Ann") + F("NAME", 2, "Cy") + F("NAME", 3, ""));
  ASSERT_TRUE(WaitFor([&] { return g.setup.txtPL[2] == "Cy"; }));

  // The whole state, and the game opens on it.
  host.peer.Write(StartFrames());
  ASSERT_TRUE(WaitFor([&] { return g.window.Visible && g.menus.mnuOptionsRadar.Caption != ""; }));
  EXPECT_EQ(g.CurrentPlayer, 1);
  EXPECT_EQ(g.WorldCount, kWorlds);
  EXPECT_EQ(g.WorldName[9], "Juniper");
  EXPECT_EQ(g.WorldOwner[9], 2);
  EXPECT_EQ(StatusCaption(g, 2), "Cy:  Taking Turn");
  EXPECT_EQ(g.menus.mnuOptionsRadar.Caption, "Home World Radar Unlimited");

  // Bob's orders: half his home fleet to Dogwood, a tenth to Elm called back at once, then Done.
  g.SelectedFrom = 9, g.SelectedTo = 3;
  ASSERT_EQ(Sendships(g, 50), LaunchResult::kLaunched);
  g.SelectedFrom = 9, g.SelectedTo = 4;
  ASSERT_EQ(Sendships(g, 10), LaunchResult::kLaunched);
  int recalled = -1;
  for (int j = 0; j < kUsedFleetSlots; ++j)
    if (g.FleetTo[static_cast<size_t>(j)] == 5) recalled = j;
  ASSERT_GE(recalled, 0);
  CommandView view;
  EXPECT_EQ(lstTravel_Click(g, view, recalled), TravelClick::kRecalled);
  EXPECT_EQ(g.WorldShips[9], 50.0f);
  EndSeatTurn(g);
  const std::vector<std::string> orders = host.Take(4);
  ASSERT_EQ(orders.size(), 4u);
  // From Juniper (10) to Dogwood (4), Bob's (02), 50 ships of class 2; then 5 ships to Elm (5),
  // called back with the same record.
  ASSERT_EQ(orders[0].size(), 9u + kFleetRecordLength);
  EXPECT_EQ(orders[0].substr(0, 21), "[SEND] 00100402000502");
  EXPECT_EQ(orders[1].substr(0, 21), "[SEND] 00100502000052");
  EXPECT_EQ(orders[2], "[UNSEND] 00" + orders[1].substr(9));
  EXPECT_EQ(orders[3], "[STATUS] 01Bob:  Done Turn");
  const std::string bobsFleet = orders[0].substr(9);
  const double trip = std::stod(bobsFleet.substr(15, 5));

  // The host's turn. Slot 0: Ann's 20 ships reach Juniper; 1: her annihilation bomb reaches
  // Birch; 2: Bob's proximity bomb (threshold 30) reaches Elm; 3: his scout reaches Gum; 4: Ann's
  // 40 ships pass Elm; 5: Bob's fleet travels on.
  const std::string pre[6] = {
      Rec(9, 10, 1, 20, 2, 0, 0.1, 0.5, 0.05),    Rec(9, 2, 1, 9999, 2, 0, 0.1, 0.2, 0.05),
      Rec(10, 5, 2, 10030, 2, 0, 0.1, 0.3, 0.05), Rec(10, 7, 2, 0, 2, 0, 0.1, 0.4, 0.05),
      Rec(9, 5, 1, 40, 2, 0, 0.3, 0.6, 0.25),     bobsFleet};
  std::string post[6];
  for (int j = 0; j < 5; ++j) post[j] = pre[j].substr(0, 26) + (j == 4 ? "0.200" : "0.000");
  char left[8];
  std::snprintf(left, sizeof left, "%5.3f", trip - 0.05);
  post[5] = bobsFleet.substr(0, 26) + left;

  std::string turn = F("STATUS", 0, "Ann:  Done Turn") + F("ENDTURN", 0, "Endturn");
  for (int j = 0; j < 100; ++j) turn += F("SEND", j, j < 6 ? pre[j] : kFree);
  turn += F("GALAXYROTATE", 0, "GALAXYROTATE");
  for (int w = 0; w < kWorlds; ++w) {
    const double ships = w == 8 ? 45 : w == 9 ? 55 : w == 10 ? 105 : 15;
    turn += F("PM", w, S(0)) + F("PS", w, S(ships)) + F("PH", w, S(0)) +
            F("PB", w, S(w >= 8 && w <= 10 ? 2 : 0)) + F("PT", w, S(0));
  }
  // The battle at Juniper: three hits of Ann's, twenty of Bob's; Juniper holds with 52.
  turn += F("SEND", 0, post[0]) + F("TRAVELSHOW", 0, "TravelShow") + F("BATTLEACCU", 0, "8070") +
          F("BATTLESETUP", 0, "BattleSetup");
  for (int k = 0; k < 3; ++k) turn += F("FROMHIT", 0, "FromHit") + F("FRAMEUPDATE", 0, S(0));
  for (int k = 0; k < 20; ++k) turn += F("TOHIT", 0, "ToHit") + F("FRAMEUPDATE", 0, S(0));
  turn += F("FRAMEUPDATE", 0, S(1)) + F("BATTLEDONE", 2, S(0));
  // The annihilation bomb takes Birch; the proximity bomb is planted on Elm.
  turn += F("SEND", 1, post[1]) + F("TRAVELSHOW", 0, "TravelShow") + F("BATTLEDONE", 1, S(1));
  turn += F("SEND", 2, post[2]) + F("TRAVELSHOW", 0, "TravelShow") + F("PROXIMITYSET", 2, "ProximitySet");
  host.peer.Write(turn);
  ASSERT_TRUE(WaitFor([&] { return g.ProxBombOwner[0] == 2; }));
  EXPECT_TRUE(g.TurnResolving && g.InputBusy);
  EXPECT_FLOAT_EQ(g.GameYear, 1.05f);
  EXPECT_EQ(g.WorldOwner[9], 2);
  EXPECT_EQ(g.WorldShips[9], 52.0f);
  EXPECT_EQ(g.WorldOwner[1], 1);
  EXPECT_EQ(g.WorldShips[1], 0.0f);
  EXPECT_EQ(g.ProxBombWorld[0], 4.0f);
  EXPECT_EQ(g.ProxBombThreshold[0], 30.0f);
  for (int j = 0; j < 3; ++j) EXPECT_EQ(g.FleetFrom[static_cast<size_t>(j)], 0) << j;

  // The scout reports on Gum, the bomb on Elm destroys Ann's 40 ships, and the turn ends.
  turn =
      F("SEND", 3, post[3]) + F("TRAVELSHOW", 0, "TravelShow") + F("SCOUT", 3, "Scout") + F("SEND", 3, kFree);
  turn += F("TRAVELSHOW", 0, "TravelShow") + F("PROXIMITY", 4, "00") + F("SEND", 4, kFree);
  turn += F("SEND", 5, post[5]) + F("TRAVELHIDE", 0, "TravelHide");
  host.peer.Write(turn);
  ASSERT_TRUE(WaitFor([&] { return !g.TurnResolving; }));
  EXPECT_EQ(g.ScoutInfo[1][3][6], 15);  // the ships Bob's scout saw on Gum
  EXPECT_EQ(g.ProxBombOwner[0], 0);
  EXPECT_EQ(g.FleetFrom[3] + g.FleetFrom[4], 0);
  EXPECT_EQ(FleetRecord(g, 5), post[5]);
  EXPECT_FALSE(g.InputBusy || g.TurnDone);
  EXPECT_EQ(StatusCaption(g, 1), "Bob:  Taking Turn");
  EXPECT_EQ(bob.session->dropped, 0);

  // Cy drops; then the host says goodbye and goes at once.
  bob.ports.recording = true;
  host.peer.Write(F("STATUS", 2, "Cy:  Disconnected") + F("MESSAGE", 0, " Ann: bye"));
  host.peer.socket->disconnectFromHost();
  ASSERT_TRUE(WaitFor([&] { return !g.GameInProgress; }));
  EXPECT_EQ(StatusCaption(g, 2), "Cy:  Disconnected");
  EXPECT_NE(g.PlayerLog[1].find("- Cy Disconnected! -"), std::string::npos);
  EXPECT_NE(g.window.txtChat.Text.find(" Ann: bye\r\n"), std::string::npos);
  EXPECT_TRUE(bob.ports.Has("MessageBox Zarnath: Connection with Server Lost!  Exiting Game"));
  EXPECT_TRUE(bob.ports.Has("ReturnToSetup"));
  EXPECT_EQ(bob.session->dropped, 0);
}

}  // namespace
}  // namespace zarnath
