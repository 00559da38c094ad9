// The setup window in an internet game, with recording ports: the lobby's set-up, leaving online
// mode, the private-address question, switching between the LAN and the internet box, the join
// from the server table with its time-out, the host's republishing and the shared clock's two
// date readings.
#include <gtest/gtest.h>

#include <algorithm>

#include "fixtures/test_game.h"
#include "model/game.h"
#include "model/setup_rules.h"
#include "net/lobby.h"
#include "net/lobby_files.h"
#include "net/online_setup.h"

namespace zarnath {
namespace {

using testing::TestGame;

ServerRow Server(const char* name) {
  ServerRow r;
  r.cells = {std::string(" ") + name, " Freedonia", " Offensive", " 20", " None", " No", " 15", " 8", " On"};
  return r;
}

// Ann at her setup window; `online` ticks the internet box as the window's handler does once the
// shared clock is known.
struct Online {
  TestGame t;
  Game& g() { return t.game; }
  SetupState& s() { return t.game.setup; }

  Online() {
    t.ports.socketCount = 4;
    t.ports.connected = {false, false, false, false};
    SetName(g(), 0, "Ann");
  }
  void TickOnline() {
    s().chkOnline = 1;
    ASSERT_TRUE(OnlineBoxAllowed(g()));
    if (!s().OptServerClient0) OnlineReset(g());
    OnlineLobbySetUp(g());
  }
  void Host() {
    s().OptServerClient0 = true;
    OptServerClient_Click(g(), 0);
  }
  void List(std::initializer_list<const char*> names) {
    ServerTable table;
    for (const char* n : names) table.rows.push_back(Server(n));
    for (size_t i = 0; i < table.rows.size(); ++i) g().ServerRowIP[i] = "127.0.0." + std::to_string(i + 1);
    ShowServerList(g(), table);
  }
  // Runs every timer that comes due within `ms` of virtual time.
  void RunTimers(int64_t ms) {
    const int64_t end = t.ports.nowMs + ms;
    for (;;) {
      int64_t due = end + 1;
      for (const auto& [timer, slot] : t.ports.timers)
        if (slot.enabled) due = std::min(due, slot.dueMs);
      if (due > end) break;
      t.ports.FireNextTimer([this](GameTimer timer) {
        if (timer == GameTimer::kServerRepublish) tmrServer_Timer(g());
        if (timer == GameTimer::kServerRefresh) tmrConnect_Timer(g());
        if (timer == GameTimer::kClientJoin) tmrClient_Timer(g());
      });
    }
    t.ports.nowMs = end;
  }
};

TEST(OnlineSetup, TheLobbyIsForPeopleAtOtherComputersAndStartWaitsForOne) {
  {  // 9 worlds seat nobody else: the lobby starts at 10
    Online nine;
    SetWorldBar(nine.g(), 9);
    ASSERT_EQ(nine.s().VScroll1, 9);
    nine.TickOnline();
    EXPECT_EQ(std::make_tuple(nine.s().VScroll1, nine.s().txtPlanets),
              std::make_tuple(10, std::string("10")));
  }
  Online o;
  SetComputerBox(o.g(), 2, 1);
  SetName(o.g(), 3, "Dee");
  o.TickOnline();
  const SetupState& s = o.s();
  EXPECT_EQ(s.chkAI, (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(s.chkAIEnabled, (std::array<bool, 4>{false, false, false, false}));
  EXPECT_EQ(s.txtPL, (std::array<std::string, 4>{"Ann", "", "", ""}));
  EXPECT_EQ(s.txtPLLocked, (std::array<bool, 4>{true, true, true, true}));
  EXPECT_FALSE(s.ImgStartVisible || s.txtIPEnabled);
  EXPECT_TRUE(s.OptServerClientEnabled && s.lobbyLayout && s.truceEnabled);
  EXPECT_EQ(NameLimit(s), 12u);

  // A client seated in the host's lobby brings Start back; a refresh keeps it and the names.
  o.Host();
  EXPECT_TRUE(o.t.ports.Has("PublishOnline") && o.t.ports.Has("Listen") &&
              o.t.ports.Has("RefreshOnlineLobby"));
  EXPECT_TRUE(o.t.ports.Has("Timer tmrServer on 60000"));
  o.t.ports.connected[1] = true;
  HostConnectionOpened(o.g(), 1);
  EXPECT_FALSE(s.ImgStartVisible);  // seated only once it has named itself
  HostClientNamed(o.g(), 1, "Bob");
  EXPECT_TRUE(s.ImgStartVisible);
  OnlineLobbySetUp(o.g());
  EXPECT_TRUE(s.ImgStartVisible);
  EXPECT_EQ(s.txtPL[1], "Bob");
}

TEST(OnlineSetup, TheBoxWantsANameAndAHumanFirst) {
  for (const bool computer : {false, true}) {
    Online o;
    if (computer)
      SetComputerBox(o.g(), 0, 1);
    else
      SetName(o.g(), 0, "");
    o.s().chkOnline = 1;
    EXPECT_FALSE(OnlineBoxAllowed(o.g()));
    EXPECT_EQ(o.s().chkOnline, 0);
    EXPECT_FALSE(o.s().lobbyLayout);
    EXPECT_TRUE(o.t.ports.Has(computer
                                  ? "MessageBox Zarnath: Computer Players Can Not Play Internet/LAN Games!"
                                  : "MessageBox Zarnath: You Must Enter Your Name First!"));
    EXPECT_EQ(o.t.ports.calls.back(), "Focus txtPL0");
  }
  // Seat 0 a computer, seat 2 too: the refusal leaves no nameless computer behind.
  Online o;
  SetComputerBox(o.g(), 0, 1);
  SetComputerBox(o.g(), 2, 1);
  o.s().chkOnline = 1;
  EXPECT_FALSE(OnlineBoxAllowed(o.g()));
  EXPECT_EQ(o.s().chkAI, (std::array<int, 4>{1, 0, 0, 0}));
  EXPECT_TRUE(o.s().levelVisible[0] && !o.s().levelVisible[2]);
  EXPECT_EQ(o.s().txtPL[2], "");
  EXPECT_FALSE(o.s().txtPLLocked[2]);
  // The LAN box's refusal alike.
  Online l;
  SetComputerBox(l.g(), 0, 1);
  SetComputerBox(l.g(), 3, 1);
  l.s().chkLan = 1;
  chkLan_Click(l.g());
  EXPECT_EQ(l.s().chkAI, (std::array<int, 4>{1, 0, 0, 0}));
  EXPECT_EQ(l.s().txtPL[3], "");
}

TEST(OnlineSetup, LeavingOnlineModeAfterHostingGivesAFreshLocalSetUp) {
  Online o;
  SetName(o.g(), 0, "Ann_2");
  o.TickOnline();
  o.Host();
  o.List({"Bo"});
  ASSERT_TRUE(o.t.ports.listening);
  o.s().chkOnline = 0;
  LeaveOnlineMode(o.g());
  const SetupState& s = o.s();
  EXPECT_TRUE(s.optionsEnabled && s.worldBarEnabled && s.ImgStartVisible);
  EXPECT_EQ(s.txtPLLocked, (std::array<bool, 4>{false, false, false, false}));
  EXPECT_EQ(s.chkAIEnabled, (std::array<bool, 4>{true, true, true, true}));
  EXPECT_FALSE(s.OptServerClient0 || s.OptServerClientEnabled || s.lobbyLayout || o.g().NetworkGame);
  EXPECT_FALSE(o.t.ports.listening);
  EXPECT_FALSE(o.t.ports.TimerEnabled(GameTimer::kServerRepublish) ||
               o.t.ports.TimerEnabled(GameTimer::kServerRefresh));
  EXPECT_TRUE(s.lstServer.empty());
  EXPECT_EQ(s.txtPL[0], "Ann");
  EXPECT_EQ(s.chkTruce, 0);
  EXPECT_EQ(NameLimit(s), 8u);

  // An online name of 12 characters fits the local box again.
  Online c;
  SetName(c.g(), 0, "Bartholomews");
  c.TickOnline();
  c.s().chkOnline = 0;
  LeaveOnlineMode(c.g());
  EXPECT_EQ(c.s().txtPL[0], "Bartholo");
}

TEST(OnlineSetup, YesToThePrivateAddressQuestionSetsUpAFreshLanGame) {
  Online o;
  o.t.ports.localAddress = "192.168.1.20";
  o.TickOnline();
  o.List({"Bo"});
  o.t.ports.Clear();
  o.Host();  // Yes
  ASSERT_TRUE(o.t.ports.Has(std::string("MessageBox Zarnath Online Game: ") + kSwitchToLanQuestion));
  const SetupState& s = o.s();
  EXPECT_EQ(std::make_tuple(s.chkLan, s.chkOnline), std::make_tuple(1, 0));
  EXPECT_FALSE(s.OptServerClient0 || s.lobbyLayout || o.t.ports.listening || o.t.ports.Has("PublishOnline"));
  EXPECT_TRUE(s.OptServerClientEnabled && s.optionsEnabled && s.worldBarEnabled && s.txtIPEnabled);
  EXPECT_FALSE(s.txtPLLocked[1] || s.txtIPLocked);
  EXPECT_FALSE(o.t.ports.TimerEnabled(GameTimer::kServerRepublish));
  EXPECT_EQ(o.t.ports.calls.back(), "Refresh txtPL0");
  EXPECT_TRUE(o.t.ports.Has("Focus txtIP"));

  // No: the internet game is hosted from the private address all the same.
  Online n;
  n.t.ports.localAddress = "10.0.0.5";
  n.TickOnline();
  n.t.ports.answers = {Answer::kNo};
  n.Host();
  EXPECT_TRUE(n.t.ports.Has("PublishOnline") && n.t.ports.listening && n.s().OptServerClient0);
  EXPECT_EQ(n.s().chkOnline, 1);
}

TEST(OnlineSetup, TickingLanWhileOnlineLeavesOnlineModeFirst) {
  Online o;
  o.TickOnline();
  o.List({"Bo", "Cy"});
  ASSERT_TRUE(o.t.ports.TimerEnabled(GameTimer::kServerRefresh));
  o.s().chkLan = 1;
  chkLan_Click(o.g());
  const SetupState& s = o.s();
  EXPECT_EQ(std::make_tuple(s.chkLan, s.chkOnline), std::make_tuple(1, 0));
  EXPECT_FALSE(s.lobbyLayout || o.t.ports.TimerEnabled(GameTimer::kServerRefresh));
  EXPECT_TRUE(s.lstServer.empty());
  EXPECT_TRUE(s.txtIPEnabled && s.OptServerClientEnabled && !s.ImgStartVisible);
  EXPECT_EQ(o.t.ports.calls.back(), "Refresh txtPL0");
  EXPECT_TRUE(o.t.ports.Has("Focus txtIP"));

  // A host that ticks LAN: the listener and the republishing go, join is selected.
  Online h;
  h.TickOnline();
  h.Host();
  h.s().chkLan = 1;
  chkLan_Click(h.g());
  EXPECT_FALSE(h.s().OptServerClient0 || h.t.ports.listening || h.s().lobbyLayout);
  EXPECT_FALSE(h.t.ports.TimerEnabled(GameTimer::kServerRepublish));
  EXPECT_TRUE(h.s().OptServerClientEnabled && h.s().txtIPEnabled);

  // In LAN join mode the focus goes to the address box.
  h.t.ports.Clear();
  OptServerClient_Click(h.g(), 1);
  EXPECT_TRUE(h.t.ports.Has("Focus txtIP"));
  EXPECT_FALSE(h.t.ports.Has("RefreshOnlineLobby"));
}

TEST(OnlineSetup, JoiningFromTheTableAndTheTimeOutThatExcludesTheServer) {
  Online o;
  o.TickOnline();
  o.List({"Bo", "Cy"});
  EXPECT_TRUE(o.t.ports.Has("Sound gameinfo.wav"));
  SetupState& s = o.s();
  s.ServerListRow = 1;
  ASSERT_EQ(JoinFromServerRow(s, o.g(), 1, 2, true, false), RowJoin::kJoin);
  o.t.ports.Clear();
  ServerTableJoin(o.g());
  EXPECT_EQ(o.t.ports.calls,
            (std::vector<std::string>{"Timer tmrConnect off 60000", "Timer tmrClient on 15000",
                                      "ConnectToHost", "Refresh txtPL0"}));
  EXPECT_EQ(s.txtIP, "127.0.0.2");
  EXPECT_EQ(s.lblStatus, (std::array<std::string, 4>{"Running Client...", "Looking for Server...",
                                                     "Waiting for Client...", "Waiting for Client..."}));
  EXPECT_EQ(s.lblStatusVisible, (std::array<bool, 4>{true, true, true, true}));
  EXPECT_TRUE(s.txtPLLocked[0] && s.Label5Visible);
  EXPECT_FALSE(s.ImgStartVisible || s.worldBarEnabled || s.optionsEnabled || s.helpVisible ||
               s.lstServerEnabled || s.OptServerClientEnabled);
  EXPECT_EQ(o.g().PlayerName[0], "Ann");

  // A list that comes during the join leaves the table as it is.
  o.List({"Dee"});
  EXPECT_EQ(s.lstServer.size(), 2u);
  EXPECT_EQ(s.ServerListRow, 1);

  // Nobody answers: the row tried is excluded and the list is fetched again.
  o.RunTimers(15000);
  EXPECT_TRUE(o.t.ports.Has("MessageBox Zarnath: Server Has Timed Out!"));
  EXPECT_EQ(o.g().ServerExcluded[0], " Cy Freedonia Offensive 20 None No 15 8 On");
  EXPECT_TRUE(s.lstServerEnabled && s.OptServerClientEnabled);
  EXPECT_TRUE(o.t.ports.Has("RefreshOnlineLobby"));
  EXPECT_FALSE(o.t.ports.TimerEnabled(GameTimer::kClientJoin));
  // Cy's game is gone from the next list.
  std::tm now{};
  now.tm_year = 126, now.tm_mon = 11, now.tm_mday = 5, now.tm_hour = 14;
  timegm(&now);
  const std::string text = WriteServerListRecord({"1.2.3.4", "Bo", StampText(now), "Freedonia", "Offensive",
                                                  "20", "None", "No", "15", "8", "On"}) +
                           WriteServerListRecord({"1.2.3.5", "Cy", StampText(now), "Freedonia", "Offensive",
                                                  "20", "None", "No", "15", "8", "On"});
  const ServerList list = ReadServerList(text, now, o.g());
  ASSERT_EQ(list.rows.size(), 1u);
  EXPECT_EQ(list.rows[0].cells[0], " Bo");
}

TEST(OnlineSetup, ALostServerIsExcludedAndTheListFetchedAgain) {
  Online o;
  o.TickOnline();
  o.List({"Bo"});
  o.s().ServerListRow = 0;
  ASSERT_EQ(JoinFromServerRow(o.s(), o.g(), 0, 1, true, false), RowJoin::kJoin);
  ServerTableJoin(o.g());
  ClientConnectionOpened(o.g());
  o.t.ports.Clear();
  ClientConnectionLost(o.g(), true);
  // The lobby without its host is drawn before the box stands over it.
  const auto& calls = o.t.ports.calls;
  const auto box = std::ranges::find(calls, "MessageBox Zarnath: Connection with Server Lost!");
  ASSERT_NE(box, calls.end());
  EXPECT_NE(std::find(calls.begin(), box, "Refresh txtPL0"), box);
  EXPECT_TRUE(o.t.ports.Has("RefreshOnlineLobby"));
  EXPECT_EQ(o.g().ServerExcluded[0], " Bo Freedonia Offensive 20 None No 15 8 On");
  EXPECT_FALSE(o.s().chatVisible || o.g().NetworkGame);
}

TEST(OnlineSetup, TheLanTimeOutPutsTheFocusInTheEmptiedAddressBox) {
  Online o;
  o.s().chkLan = 1;
  chkLan_Click(o.g());
  o.s().txtIP = "127.0.0.1";
  JoinHost(o.g());
  o.t.ports.Clear();
  tmrClient_Timer(o.g());
  EXPECT_TRUE(o.s().txtIP.empty() && o.s().txtIPEnabled);
  EXPECT_TRUE(o.t.ports.Has("Focus txtIP"));
  EXPECT_FALSE(o.t.ports.Has("RefreshOnlineLobby"));
}

TEST(OnlineSetup, TheHostRepublishesEveryFifthMinuteAndListensAgainWithAFreeSeat) {
  Online o;
  SetWorldBar(o.g(), 10);
  o.s().chkLan = 1;
  chkLan_Click(o.g());
  o.Host();
  ASSERT_TRUE(o.t.ports.listening);
  o.t.ports.connected[1] = true;
  HostConnectionOpened(o.g(), 1);
  HostClientNamed(o.g(), 1, "Bob");  // a full lobby closes its listener
  ASSERT_FALSE(o.t.ports.listening);
  o.t.ports.SetTimer(GameTimer::kLobbyStart, 10000, false);  // no countdown to the game here
  o.t.ports.Clear();
  o.RunTimers(4 * 60000);
  EXPECT_EQ(o.t.ports.Count("Timer tmrServer on 60000"), 4);
  EXPECT_FALSE(o.t.ports.Has("Sound click1.wav"));
  o.RunTimers(60000);  // the fifth tick: host mode again, the full lobby stays closed
  EXPECT_TRUE(o.t.ports.Has("Sound click1.wav"));
  EXPECT_FALSE(o.t.ports.listening);
  EXPECT_EQ(o.s().tmrServerTag, 5);
  EXPECT_EQ(o.s().txtPL[1], "Bob");  // names are not touched

  // The client leaves without the host noticing a listen; the next fifth tick reopens it.
  o.t.ports.connected[1] = false;
  o.g().Seated[1] = false;
  o.t.ports.Clear();
  o.RunTimers(5 * 60000);
  EXPECT_TRUE(o.t.ports.listening);
  EXPECT_TRUE(o.t.ports.Has("Listen"));
  EXPECT_FALSE(o.t.ports.Has("PublishOnline"));  // a LAN game is not published

  // Switching to join mode stops it.
  o.s().OptServerClient0 = false;
  OptServerClient_Click(o.g(), 1);
  EXPECT_FALSE(o.t.ports.TimerEnabled(GameTimer::kServerRepublish));
}

TEST(OnlineSetup, TheListShowsWithItsSoundAndAClientsRefreshRunsEveryMinute) {
  Online o;
  o.TickOnline();
  o.t.ports.Clear();
  ShowServerList(o.g(), TableFor(ServerList{}, false, o.s(), "X"));
  EXPECT_EQ(o.t.ports.calls, (std::vector<std::string>{"Timer tmrConnect on 60000", "Refresh txtPL0"}));
  EXPECT_FALSE(o.s().lstServerEnabled);
  EXPECT_EQ(o.s().lstServer.at(0)[0], "- No Servers Found -");
  o.t.ports.Clear();
  o.RunTimers(60000);
  EXPECT_TRUE(o.t.ports.Has("RefreshOnlineLobby"));
  // In a game the lobby's refresh stops instead of closing the link to the host.
  o.g().GameInProgress = true;
  o.t.ports.Clear();
  o.RunTimers(60000);
  EXPECT_FALSE(o.t.ports.Has("RefreshOnlineLobby"));
  EXPECT_FALSE(o.t.ports.TimerEnabled(GameTimer::kServerRefresh));

  // A host sees its own game, with the sound, and has no refresh of its own.
  Online h;
  h.TickOnline();
  h.Host();
  h.t.ports.Clear();
  ShowServerList(h.g(), TableFor(ServerList{}, true, h.s(), "X"));
  EXPECT_EQ(h.t.ports.calls, (std::vector<std::string>{"Refresh txtPL0", "Sound gameinfo.wav"}));
  EXPECT_EQ(h.s().lstServer.at(0)[0], " Ann");
}

TEST(SharedClock, BothDateOrdersGiveTheExactOffsetAndAMisreadPairLoses) {
  auto wall = [](int y, int mo, int d, int h, int mi, int s) {
    std::tm tm{};
    tm.tm_year = y - 1900, tm.tm_mon = mo - 1, tm.tm_mday = d, tm.tm_hour = h, tm.tm_min = mi, tm.tm_sec = s;
    return tm;
  };
  struct Case {
    const char* server;
    std::tm local;
    double offset;
  } cases[] = {
      {"26-12-05 14:13:27", wall(2026, 12, 5, 14, 13, 20), 7},
      {"26-12-06 00:00:03", wall(2026, 12, 5, 23, 59, 58), 5},    // across a day
      {"26-07-01 00:00:03", wall(2026, 6, 30, 23, 59, 58), 5},    // across a month
      {"27-01-01 00:00:00", wall(2026, 12, 31, 23, 0, 0), 3600},  // across a year
      {"26-03-13 09:00:00", wall(2026, 3, 13, 10, 0, 0), -3600},  // a day above 12
  };
  for (const Case& c : cases) {
    for (const DateOrder order : {DateOrder::kDayFirst, DateOrder::kMonthFirst}) {
      const auto got = TwoReadingOffset(c.server, c.local, order);
      ASSERT_TRUE(got.has_value()) << c.server;
      EXPECT_EQ(*got, c.offset) << c.server << " order " << static_cast<int>(order);
    }
  }
  EXPECT_FALSE(TwoReadingOffset("26-13-45 99:00:00", wall(2026, 1, 1, 0, 0, 0), DateOrder::kDayFirst));
  EXPECT_FALSE(TwoReadingOffset("26-12-05", wall(2026, 1, 1, 0, 0, 0), DateOrder::kDayFirst));
}

}  // namespace
}  // namespace zarnath
