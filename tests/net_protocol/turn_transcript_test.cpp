// Five seeded network turns of a host and two clients in one process, with every frame each
// machine sends written down in order: the game's start, fleets into battles, annihilation bombs, a
// pulse bomb, recalls, proximity bombs, shield switches, chat lines and Done. Frames are carried
// by hand in a fixed order (the host's to each client, then each client's to the host), so the
// transcript is the same at every run and is compared with the stored one byte for byte.
//
// To write the stored transcript anew (only when the frames are meant to change):
//   ZARNATH_WRITE_TRANSCRIPT=1 build/tests/zarnath_core_tests --gtest_filter='TurnTranscript.*'
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "ai/pulse_command.h"
#include "commands/chat_commands.h"
#include "commands/command_view.h"
#include "commands/proximity_dialog.h"
#include "commands/send_commands.h"
#include "commands/side_list_commands.h"
#include "engine/event_audience.h"
#include "engine/game_start.h"
#include "engine/launch.h"
#include "engine/net_send.h"
#include "engine/turn.h"
#include "fixtures/game_text.h"
#include "headless/headless_ports.h"
#include "model/fleet_table.h"
#include "model/game.h"
#include "model/game_texts.h"
#include "net/full_state.h"
#include "net/lobby.h"
#include "net/net_session.h"
#include "net/protocol.h"
#include "net_protocol/network_machines.h"

#ifndef ZARNATH_FIXTURES_DIR
#error "the core tests need ZARNATH_FIXTURES_DIR"
#endif

namespace zarnath {
namespace {

using testing::GameText;
using testing::Machine;
using testing::NewestOwnSlot;
using testing::Order;
using testing::ThreeMachines;

void Chat(Game& g, const std::string& text) {
  g.window.txtMessage.Text = text;
  ImgSend_Click(g);
  ChatLockEnds(g);
}

// Plays the five turns and answers the transcript.
std::string PlayFiveTurns() {
  ThreeMachines m;
  Game& h = m.host.game;
  h.random.Seed(11);
  h.NetworkGame = h.setup.OptServerClient0 = true;
  h.setup.chkLan = 1;
  h.setup.chkShield = 1;
  h.setup.txtPL = {"Ann", "Bob", "Cy", ""};
  h.setup.txtPlanets = "14";
  m.Section("start");
  imgStart_Click(h);
  EXPECT_TRUE(m.Deliver());
  EXPECT_EQ(m.bob.game.CurrentPlayer, 1);
  EXPECT_EQ(m.cy.game.CurrentPlayer, 2);
  EXPECT_EQ(GameText(m.bob.game), GameText(h)) << "at the start";
  EXPECT_EQ(GameText(m.cy.game), GameText(h)) << "at the start";

  ProximityDialog proximity[3];
  int battles = 0, annihilations = 0, pulses = 0, recalls = 0, proximityBombs = 0;
  for (int turn = 0; turn < 5; ++turn) {
    for (int seat = 0; seat < 3; ++seat) {
      Game& g = *m.seats[seat];
      const int home = kHomeWorld0 + seat;
      m.Section("turn " + std::to_string(turn) + " seat " + std::to_string(seat) + " orders");
      // Half the home fleet to a neutral world on this seat's side, and on the first turn a bomb
      // at the next seat's home world.
      Order(g, home, (seat * 3 + turn) % 8, 60);
      if (turn == 0) Order(g, home, kHomeWorld0 + (seat + 1) % 3, kAnnihilationBomb);
      // A tenth of the home fleet sent and called back at once from the in-transit list.
      if (turn == 1 || (turn == 2 && seat == 0)) {
        Order(g, home, (seat + 5) % 8, 10);
        const int slot = NewestOwnSlot(g);
        if (lstTravel_Click(g, m.view, slot) == TravelClick::kRecalled) ++recalls;
      }
      // The home world's shield switched by a double click on its owned-worlds row (the home
      // world is each seat's only world at first).
      if (turn == 1 || turn == 3) lstOwned_DblClick(g, m.view, 0);
      // A proximity bomb on the way to the next seat's home world.
      if (turn == 2) {
        proximity[seat].OpenFor(g, home, kHomeWorld0 + (seat + 1) % 3);
        proximity[seat].text = "3";
        if (proximity[seat].ImgSet_Click(g).result == LaunchResult::kLaunched) ++proximityBombs;
      }
      // The last seat arms its pulse bomb on the fourth turn.
      if (turn == 3 && seat == 2) {
        g.SelectedFrom = static_cast<int16_t>(home);
        mnuComSendPulse_Click(g);
      }
      if (turn % 2 == 0) Chat(g, "turn " + std::to_string(turn) + ", from seat " + std::to_string(seat));
      if (!m.Deliver()) ADD_FAILURE() << "the machines keep talking after the orders of turn " << turn;
    }
    // The clients finish first; the host's own Done ends the turn.
    for (int c = 0; c < 2; ++c) {
      m.Section("turn " + std::to_string(turn) + " seat " + std::to_string(c + 1) + " Done");
      EndSeatTurn(*m.seats[c + 1]);
      if (!m.Deliver()) ADD_FAILURE() << "the machines keep talking after a client's Done, turn " << turn;
    }
    EXPECT_TRUE(h.SeatStatus[1] == TurnStatus::kDoneTurn && h.SeatStatus[2] == TurnStatus::kDoneTurn) << turn;
    m.Section("turn " + std::to_string(turn) + " seat 0 Done");
    m.host.ports.recording = true;
    m.host.ports.Clear();
    EndSeatTurn(h);
    battles += m.host.ports.Count("Sound battlestart.wav");
    pulses += m.host.ports.Count("Sound pulse.wav");
    annihilations += m.host.ports.Count("Sound bomb.wav");
    m.host.ports.recording = false;
    if (!m.Deliver()) ADD_FAILURE() << "the machines keep talking after the end of turn " << turn;
    for (Machine* c : m.clients) {
      EXPECT_FALSE(c->game.TurnResolving) << turn;
      EXPECT_EQ(GameText(c->game), GameText(h)) << "turn " << turn;
      EXPECT_TRUE(!c->game.InputBusy && !c->game.TurnDone && c->game.menus.mnuFile.Enabled) << turn;
    }
  }
  EXPECT_NEAR(h.GameYear, 1.25f, 1e-5);
  EXPECT_GT(battles, 0);
  EXPECT_GT(pulses, 0);
  EXPECT_GT(annihilations, 0);
  EXPECT_GT(recalls, 1);
  EXPECT_GT(proximityBombs, 0);
  EXPECT_EQ(m.bob.session->dropped + m.cy.session->dropped + m.host.session->dropped, 0)
      << m.host.session->lastDropped << m.bob.session->lastDropped << m.cy.session->lastDropped;
  return m.transcript;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

// Where two transcripts first part: the section, the connection and the frame's number on it.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  const auto want = Lines(expected), got = Lines(actual);
  std::string section = "(before the first section)";
  std::map<std::string, int> framesOn;  // frames so far per connection ("H>1", "2>0", ...)
  for (size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
    const std::string w = i < want.size() ? want[i] : "(end of the stored transcript)";
    const std::string a = i < got.size() ? got[i] : "(end of this run's transcript)";
    if (w == a) {
      if (w.rfind("== ", 0) == 0)
        section = w.substr(3);
      else
        ++framesOn[w.substr(0, w.find(' '))];
      continue;
    }
    const std::string& probe = w.rfind("== ", 0) == 0 || i >= want.size() ? a : w;
    const std::string connection = probe.substr(0, probe.find(' '));
    return "first differing frame: line " + std::to_string(i + 1) + ", in \"" + section + "\", frame " +
           std::to_string(framesOn[connection] + 1) + " on " + connection + "\n  stored: " + w +
           "\n  now:    " + a;
  }
  return "";
}

TEST(TurnTranscript, FiveNetworkTurnsSendTheStoredFramesAndEndInTheSameState) {
  const std::string path = std::string(ZARNATH_FIXTURES_DIR) + "/turn_transcript.txt";
  const std::string actual = PlayFiveTurns();
  if (std::getenv("ZARNATH_WRITE_TRANSCRIPT")) {
    std::ofstream(path, std::ios::binary) << actual;
    GTEST_SKIP() << "wrote " << path;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "no stored transcript at " << path;
  const std::string expected((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(expected == actual) << FirstDifference(expected, actual);
}

// The transcript's comparison names the frame where two runs part.
TEST(TurnTranscript, TheDifferenceNamesTheSectionConnectionAndFrame) {
  const std::string stored = "== start\nH>1 [A]*\nH>2 [A]*\nH>1 [B]*\n";
  EXPECT_EQ(FirstDifference(stored, stored), "");
  EXPECT_EQ(
      FirstDifference(stored, "== start\nH>1 [A]*\nH>2 [A]*\nH>1 [C]*\n"),
      "first differing frame: line 4, in \"start\", frame 2 on H>1\n  stored: H>1 [B]*\n  now:    H>1 [C]*");
  EXPECT_EQ(FirstDifference(stored, "== start\nH>1 [A]*\n"),
            "first differing frame: line 3, in \"start\", frame 1 on H>2\n  stored: H>2 [A]*\n"
            "  now:    (end of this run's transcript)");
}

}  // namespace
}  // namespace zarnath
