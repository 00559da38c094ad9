// Players who press Done close together. A host and two of the program's clients, whose pauses
// and timers run on the real clock, and a fourth player written from the protocol press Done at
// 0 to 600 ms from one another, the host's own Done among them, some turns just after a chat
// line. Every turn must end and the next open on every machine with every seat taking its turn,
// and the written peer must hear each seat's Done before the host's [ENDTURN].
#include <QCoreApplication>
#include <QTimer>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "commands/chat_commands.h"
#include "model/game_texts.h"
#include "net/live_clock.h"
#include "net/lobby.h"
#include "net/loopback.h"

namespace zarnath {
namespace {

using testing::LiveClockPorts;
using testing::RawPeer;
using testing::Settle;
using testing::Statuses;
using testing::WaitFor;
using LiveGame = testing::BasicNetGame<LiveClockPorts>;

// Dee, a client that knows only the protocol: it names itself, presses Done by sending its
// status, and checks what its host tells it in each turn.
struct ProtocolPeer {
  RawPeer raw;
  std::string pending;
  int turnsOpened = 0;  // [TRAVELHIDE]s: turns that opened after the first
  std::array<bool, kSeats> doneHeard{};
  bool pressed = false;
  // A fast Dee: at the host's [ENDTURN] he already sends his Done for the next turn and a chat
  // line, which reach the host while it resolves the turn.
  bool fast = false;
  bool doneEarly = false;
  int ownSeat = 3;  // the seat the host gives him
  int seats = 4;    // the seats of the game

  std::string DoneFrame() const { return "[STATUS] 0" + std::to_string(ownSeat) + "Dee:  Done Turn*"; }
  std::vector<std::string> faults;

  void Join(uint16_t port) {
    ASSERT_TRUE(raw.Connect(port));
    QObject::connect(raw.socket, &QTcpSocket::readyRead, [this] { Read(); });
    raw.Write("[NAME] 00Dee*");
  }
  void Read() {
    pending += raw.socket->readAll().toStdString();
    for (size_t star; (star = pending.find('*')) != std::string::npos;) {
      Take(pending.substr(0, star));
      pending.erase(0, star + 1);
    }
  }
  void Take(const std::string& frame) {
    const std::string turn = " in turn " + std::to_string(turnsOpened);
    if (frame.starts_with("[STATUS] ") && frame.ends_with(":  Done Turn") && frame.size() > 11) {
      const int seat = std::stoi(frame.substr(9, 2));
      if (seat == ownSeat && !pressed) faults.push_back("Dee was told done before it pressed Done" + turn);
      if (seat >= 0 && seat < kSeats) doneHeard[static_cast<size_t>(seat)] = true;
    } else if (frame.starts_with("[ENDTURN]")) {
      for (int seat = 0; seat < seats; ++seat)
        if (!doneHeard[static_cast<size_t>(seat)])
          faults.push_back("[ENDTURN] came before seat " + std::to_string(seat) + "'s Done" + turn);
      if (std::exchange(fast, false)) {
        raw.Write(DoneFrame());
        Say("quick");
        doneEarly = true;
      }
    } else if (frame.starts_with("[TRAVELHIDE]")) {
      ++turnsOpened;
      doneHeard = {};
      pressed = std::exchange(doneEarly, false);
    }
  }
  void PressDone() {
    pressed = true;
    raw.Write(DoneFrame());
  }
  void Say(const std::string& text) { raw.Write("[MESSAGE] 00 Dee: " + text + "*"); }
};

TEST(DoneRace, EveryTurnEndsAndOpensEverywhereWhenFourPlayersPressDoneTogether) {
  LiveGame host(true), bob(false), cy(false);
  LiveGame* machines[] = {&host, &bob, &cy};
  for (LiveGame* m : machines) m->ports.game = &m->game;
  host.ports.realPauses = true;
  Game& h = host.game;
  h.setup.txtPL[0] = "Ann", bob.game.setup.txtPL[0] = "Bob", cy.game.setup.txtPL[0] = "Cy";
  h.setup.txtPlanets = "14";
  const uint16_t port = host.Listen();
  bob.Join(port);
  ASSERT_TRUE(WaitFor([&] { return h.setup.txtPL[1] == "Bob"; }));
  cy.Join(port);
  ASSERT_TRUE(WaitFor([&] { return h.setup.txtPL[2] == "Cy"; }));
  ProtocolPeer dee;
  dee.Join(port);
  ASSERT_TRUE(WaitFor([&] { return h.setup.txtPL[3] == "Dee"; }));

  h.random.Seed(21);
  imgStart_Click(h);
  for (LiveGame* c : {&bob, &cy})
    ASSERT_TRUE(WaitFor([&] { return c->game.window.Visible && !c->game.InputBusy; }));
  Game* games[] = {&h, &bob.game, &cy.game};

  // Gaps of 0 to 600 ms between one press and the next, each once without and once after a chat
  // line. The order of the presses changes from turn to turn: the host's Done comes first, second,
  // third and last, and each client's comes just before the host's.
  constexpr int kGapStep = 50, kLongestGap = 600;
  constexpr std::array<std::array<int, kSeats>, 6> kOrders = {
      {{0, 1, 2, 3}, {1, 3, 2, 0}, {3, 2, 0, 1}, {2, 3, 1, 0}, {1, 0, 3, 2}, {3, 1, 2, 0}}};
  int turn = 0;
  for (int gap = 0; gap <= kLongestGap; gap += kGapStep) {
    for (const bool chat : {false, true}) {
      const float year = h.GameYear;
      const int start = chat ? 350 : 0;
      if (chat) {
        const int speaker = turn / 2 % kSeats;
        if (speaker == 3) {
          dee.Say("now " + std::to_string(turn));
        } else {
          Game& g = *games[speaker];
          g.window.txtMessage.Text = "now " + std::to_string(turn);
          g.window.ImgSendEnabled = true;
          ImgSend_Click(g);
        }
      }
      for (int k = 0; k < kSeats; ++k) {
        const int seat = kOrders[static_cast<size_t>(turn) % kOrders.size()][static_cast<size_t>(k)];
        QTimer::singleShot(start + k * gap, [&, seat] {
          if (seat == 3)
            dee.PressDone();
          else
            EndSeatTurn(*games[seat]);
        });
      }
      const int opened = turn + 1;
      const bool next = WaitFor(
          [&] {
            for (Game* g : games)
              if (!(g->GameYear > year + 0.01f) || g->TurnResolving || g->InputBusy) return false;
            return dee.turnsOpened == opened;
          },
          20000);
      ASSERT_TRUE(next) << "turn " << turn << " (gap " << gap << " ms" << (chat ? ", after a chat line" : "")
                        << ") did not open everywhere: Ann " << Statuses(h) << ", Bob " << Statuses(bob.game)
                        << ", Cy " << Statuses(cy.game) << "; refused by Bob: " << bob.session->dropped << " "
                        << bob.session->lastDropped;
      Settle(150);  // anything still on its way for the turn that ended lands now
      for (Game* g : games) {
        for (int seat = 0; seat < kSeats; ++seat)
          EXPECT_EQ(g->SeatStatus[static_cast<size_t>(seat)], TurnStatus::kTakingTurn)
              << "turn " << turn << " on " << g->PlayerName[static_cast<size_t>(g->CurrentPlayer)] << ": "
              << Statuses(*g);
        EXPECT_FALSE(g->TurnDone) << "turn " << turn;
      }
      EXPECT_TRUE(dee.faults.empty()) << dee.faults.front();
      dee.faults.clear();
      ++turn;
    }
  }
  EXPECT_EQ(turn, 2 * (kLongestGap / kGapStep + 1));
  for (LiveGame* m : machines) EXPECT_EQ(m->session->dropped, 0) << m->session->lastDropped;
}

// Dee is fast: his Done for the next turn and a chat line reach the host while it resolves the
// turn. The host takes them once its next turn is open: the Done counts for that turn, which then
// ends with Ann's and Bob's, and the line is shown and relayed, not lost.
TEST(DoneRace, ADoneAndALineArrivingWhileTheHostResolvesCountForTheNextTurn) {
  LiveGame host(true), bob(false);
  for (LiveGame* m : {&host, &bob}) m->ports.game = &m->game;
  Game& h = host.game;
  h.setup.txtPL[0] = "Ann", bob.game.setup.txtPL[0] = "Bob";
  h.setup.txtPlanets = "12";
  const uint16_t port = host.Listen();
  bob.Join(port);
  ASSERT_TRUE(WaitFor([&] { return h.setup.txtPL[1] == "Bob"; }));
  ProtocolPeer dee;
  dee.ownSeat = 2;
  dee.seats = 3;
  dee.Join(port);
  ASSERT_TRUE(WaitFor([&] { return h.setup.txtPL[2] == "Dee"; }));
  h.random.Seed(3);
  imgStart_Click(h);
  ASSERT_TRUE(WaitFor([&] { return bob.game.window.Visible && !bob.game.InputBusy; }));

  const auto turnOpened = [&](float year) {
    return WaitFor(
        [&] {
          for (Game* g : {&h, &bob.game})
            if (!(g->GameYear > year + 0.01f) || g->TurnResolving || g->InputBusy) return false;
          return true;
        },
        10000);
  };
  dee.fast = true;
  dee.PressDone();
  EndSeatTurn(bob.game);
  EndSeatTurn(h);
  ASSERT_TRUE(turnOpened(1.0f)) << Statuses(h);
  ASSERT_TRUE(WaitFor([&] { return h.SeatStatus[2] == TurnStatus::kDoneTurn; }, 5000))
      << "Dee's early Done was lost: " << Statuses(h);
  EXPECT_NE(h.window.txtChat.Text.find(" Dee: quick"), std::string::npos);
  EXPECT_TRUE(WaitFor([&] { return bob.game.window.txtChat.Text.find(" Dee: quick") != std::string::npos; }));
  // The next turn ends without another Done of Dee's.
  EndSeatTurn(bob.game);
  EndSeatTurn(h);
  ASSERT_TRUE(turnOpened(1.05f)) << Statuses(h);
  Settle(100);
  EXPECT_TRUE(dee.faults.empty()) << dee.faults.front();
  for (LiveGame* m : {&host, &bob}) EXPECT_EQ(m->session->dropped, 0) << m->session->lastDropped;
}

}  // namespace
}  // namespace zarnath
