// The lobby's rules on a host and a client with recording ports: the seat test, the roster in
// each client's view, names, the full lobby's countdown, leaving, chat and the network boxes.
#include <gtest/gtest.h>

#include "fixtures/test_game.h"
#include "model/game.h"
#include "model/setup_rules.h"
#include "net/lobby.h"
#include "net/net_session.h"
#include "net_protocol/protocol_fixture.h"
#include "persist/defaults_file.h"
#include "persist/persist_fixture.h"

namespace zarnath {
namespace {

using testing::Lobby;
using testing::ScratchFolder;
using testing::TestGame;

TEST(LobbyRules, HostingFixesTheOptionsAndJoiningFreesOnlyTheWorldCount) {
  Lobby l(12);
  const SetupState& s = l.g().setup;
  EXPECT_FALSE(s.optionsEnabled);
  EXPECT_FALSE(s.worldBarEnabled);
  l.g().setup.OptServerClient0 = false;
  OptServerClient_Click(l.g(), 1);
  EXPECT_FALSE(s.optionsEnabled);  // as host mode left them
  EXPECT_TRUE(s.worldBarEnabled);
}

TEST(LobbyRules, HostingFromAPrivateAddressAsksToSwitchToTheLanUnlessItIsALanGame) {
  SetupState s;
  EXPECT_TRUE(AsksToSwitchToLan(s, "192.168.1.20"));
  EXPECT_TRUE(AsksToSwitchToLan(s, "10.0.3.4"));
  EXPECT_FALSE(AsksToSwitchToLan(s, "10.1.2.3"));
  EXPECT_FALSE(AsksToSwitchToLan(s, "203.0.113.7"));
  s.chkLan = 1;
  EXPECT_FALSE(AsksToSwitchToLan(s, "192.168.1.20"));
}

TEST(LobbyRules, ChatLinesWrapAtSixtyColumns) {
  const std::string a60(60, 'a'), b60(60, 'b');
  const std::pair<std::string, std::string> cases[] = {
      {a60, a60},                                                             // exactly 60: as typed
      {a60 + "x", a60 + "\r\n\tx"},                                           // 61: cut hard after 60
      {a60 + b60 + "cccccccccc", a60 + "\r\n\t" + b60 + "\r\n\tcccccccccc"},  // 130, no blank
      {std::string(50, 'a') + " " + std::string(20, 'b'),
       std::string(50, 'a') + " \r\n\t" + std::string(20, 'b')},
      {"hello there", "hello there"}};
  for (const auto& [typed, wrapped] : cases) EXPECT_EQ(WrapChat(typed), wrapped) << typed.size();
}

TEST(LobbyRules, EachClientNumbersTheOthersFromItsOwnSeat) {
  // receiver, then the view of seats 0..3
  const int views[3][4] = {{1, 0, 2, 3}, {1, 2, 0, 3}, {1, 2, 3, 0}};
  for (int k = 1; k <= 3; ++k)
    for (int n = 0; n < 4; ++n) EXPECT_EQ(ViewIndex(k, n), views[k - 1][n]) << k << " sees " << n;
}

TEST(LobbyRules, TheSeatTestWithNineTenAndTwelveWorlds) {
  {  // 9 worlds: no seat passes; the connection stays open and the listener too
    Lobby l(9);
    l.Join(1, "Bob");
    EXPECT_TRUE(l.SentTo(1).empty());
    EXPECT_EQ(l.g().setup.txtPL[1], "");
    EXPECT_FALSE(l.g().Seated[1] || l.t.ports.Has("Close 0") ||
                 l.t.ports.TimerEnabled(GameTimer::kLobbyStart));
    EXPECT_TRUE(l.g().setup.chatVisible && l.g().NetworkGame);
    // It has named itself and stays, without a seat: no name box takes its name.
    EXPECT_EQ(l.session->dropped, 0);
    EXPECT_FALSE(l.g().AwaitingName[1]);
  }
  {  // 10 worlds: seat 1 fills the lobby; the listener closes and the countdown runs
    Lobby l(10);
    l.Join(1, "Bob");
    EXPECT_EQ(l.g().setup.txtPL[1], "Bob");
    EXPECT_EQ(l.g().setup.lblStatus[1], "Client Connected");
    EXPECT_TRUE(l.t.ports.Has("Timer tmrStart on 10000") && l.t.ports.Has("Close 0"));
    EXPECT_FALSE(l.t.ports.listening);
  }
  {  // 12 worlds: only the third client fills it
    Lobby l(12);
    l.Join(1, "Bob");
    l.Join(2, "Cy");
    EXPECT_FALSE(l.t.ports.TimerEnabled(GameTimer::kLobbyStart));
    l.Join(3, "Dee");
    EXPECT_TRUE(l.t.ports.TimerEnabled(GameTimer::kLobbyStart));
  }
}

TEST(LobbyRules, TheRosterOfClientsOneToThreeAndEachNewcomerAfterItsNameCame) {
  Lobby l(12);
  l.Join(1, "Bob");
  l.Join(2, "Cy");
  l.Join(3, "Dee");
  EXPECT_EQ(l.SentTo(1), (std::vector<std::string>{"[NAME] 01Ann*", "[NAME] 02*", "[NAME] 03*",
                                                   "[NAME] 02Cy*", "[NAME] 03Dee*"}));
  EXPECT_EQ(l.SentTo(2),
            (std::vector<std::string>{"[NAME] 01Ann*", "[NAME] 02Bob*", "[NAME] 03*", "[NAME] 03Dee*"}));
  EXPECT_EQ(l.SentTo(3), (std::vector<std::string>{"[NAME] 01Ann*", "[NAME] 02Bob*", "[NAME] 03Cy*"}));
  EXPECT_EQ(l.g().setup.txtPL, (std::array<std::string, 4>{"Ann", "Bob", "Cy", "Dee"}));
  // A second name from a seated client, or one for another seat, changes nothing.
  l.session->DataArrival(2, "[NAME] 01Eve*");
  EXPECT_EQ(l.g().setup.txtPL[1], "Bob");
}

TEST(LobbyRules, AClientLeavingAFullLobbySendsTheEmptyNamesAndTheHostListensAgain) {
  Lobby l(12);
  l.Join(1, "Bob");
  l.Join(2, "Cy");
  l.Join(3, "Dee");
  l.t.ports.Clear();
  l.Leave(2);
  EXPECT_EQ(l.SentTo(1), std::vector<std::string>{"[NAME] 02*"});
  EXPECT_EQ(l.SentTo(3), std::vector<std::string>{"[NAME] 03*"});
  EXPECT_EQ(l.g().setup.txtPL[2], "");
  EXPECT_EQ(l.g().setup.lblStatus[2], "Waiting for Client...");
  EXPECT_FALSE(l.t.ports.TimerEnabled(GameTimer::kLobbyStart));
  EXPECT_TRUE(l.t.ports.Has("Listen"));
  // A newcomer takes the free seat and is shown to client 1 as 02 and to client 3 as 03.
  l.t.ports.Clear();
  l.Join(2, "Fay");
  EXPECT_EQ(l.SentTo(1), std::vector<std::string>{"[NAME] 02Fay*"});
  EXPECT_EQ(l.SentTo(3), std::vector<std::string>{"[NAME] 03Fay*"});
  // Everyone gone: the options panel comes back and Start goes.
  l.Leave(1), l.Leave(2), l.Leave(3);
  EXPECT_FALSE(l.g().setup.chatVisible || l.g().setup.ImgStartVisible);
  EXPECT_TRUE(l.g().setup.OptServerClientEnabled);
}

TEST(LobbyRules, TheHostRemovesAClientOnlyWhenAskedYes) {
  Lobby l(10);
  l.Join(1, "Bob");
  l.t.ports.answers = {Answer::kNo};
  txtPL_Click(l.g(), 1);
  EXPECT_EQ(l.g().setup.txtPL[1], "Bob");
  txtPL_Click(l.g(), 1);  // Yes
  EXPECT_EQ(l.g().setup.txtPL[1], "");
  EXPECT_TRUE(l.t.ports.Has("Close 1") && l.t.ports.listening && l.g().setup.txtIP.empty());
  txtPL_Click(l.g(), 0);  // one's own box does nothing
  EXPECT_EQ(l.t.ports.Count("MessageBox Zarnath: Do You Want to Remove This Client?"), 2);
}

TEST(LobbyRules, AClientsChatLineIsEchoedToEveryClientAndTheHostsOwnLineShownAtOnce) {
  Lobby l(12);
  l.Join(1, "Bob");
  l.Join(2, "Cy");
  l.t.ports.Clear();
  l.session->DataArrival(1, "[MESSAGE] 00 Bob: hi, all*");
  EXPECT_EQ(l.g().setup.txtChat.Text, "Connected...\r\n Bob: hi. all\r\n");
  EXPECT_EQ(l.SentTo(1), std::vector<std::string>{"[MESSAGE] 00 Bob: hi. all*"});
  EXPECT_EQ(l.SentTo(2), std::vector<std::string>{"[MESSAGE] 00 Bob: hi. all*"});
  l.g().setup.txtMessage = "a*b, c";
  txtMessage_Enter(l.g());
  EXPECT_EQ(l.g().setup.txtChat.Text, "Connected...\r\n Bob: hi. all\r\n Ann: ab, c\r\n");
  EXPECT_EQ(l.SentTo(2).back(), "[MESSAGE] 00 Ann: ab, c*");
  EXPECT_TRUE(l.g().setup.txtMessage.empty());
}

TEST(LobbyRules, TheLanBoxNeedsANameAndAHumanAndClearsTheComputerSeats) {
  TestGame t;
  Game& g = t.game;
  g.setup.chkLan = 1;
  chkLan_Click(g);
  EXPECT_EQ(g.setup.chkLan, 0);
  EXPECT_TRUE(t.ports.Has("MessageBox Zarnath: You Must Enter Your Name First!"));
  SetName(g, 0, "Ann");
  SetComputerBox(g, 2, 1);
  g.setup.chkLan = 1;
  chkLan_Click(g);
  EXPECT_EQ(g.setup.chkLan, 1);
  EXPECT_EQ(g.setup.chkAI[2], 0);
  EXPECT_EQ(g.setup.txtPL[2], "");
  EXPECT_FALSE(g.setup.chkAIEnabled[0] || g.setup.ImgStartVisible);
  EXPECT_TRUE(g.setup.txtIPEnabled && g.setup.OptServerClientEnabled);
  g.setup.chkLan = 0;
  chkLan_Click(g);
  EXPECT_TRUE(g.setup.ImgStartVisible && g.setup.chkAIEnabled[0] && !g.setup.OptServerClientEnabled);
  EXPECT_FALSE(g.setup.OptServerClient0 || g.NetworkGame);
}

// Bob, with the LAN box ticked, joins the host at 127.0.0.1; his program folder is `folder`.
void JoinAsBob(Game& j, const std::string& folder) {
  j.programFolder = folder;
  SetName(j, 0, "Bob");
  j.setup.chkLan = 1;
  chkLan_Click(j);
  j.setup.txtIP = "127.0.0.1";
  JoinHost(j);
}

// The machine's role follows the lobby, not the setup window's option box: hosting makes it the
// host, joining (even from the join option the window opens with, never clicked) a client, and
// leaving the network lobby one computer again; a game's rules then ask only the role.
TEST(LobbyRules, TheLobbySetsTheRoleWhenItHostsOrJoins) {
  Lobby l(12);
  Game& g = l.g();
  EXPECT_EQ(g.Role, NetRole::kHost);
  EXPECT_TRUE(HostRole(g) && !IsNetworkHost(g));  // no client linked yet
  g.setup.OptServerClient0 = false;
  OptServerClient_Click(g, 1);
  EXPECT_EQ(g.Role, NetRole::kClient);
  g.setup.chkLan = 0;
  chkLan_Click(g);
  EXPECT_EQ(g.Role, NetRole::kLocal);

  ScratchFolder folder;  // where the join keeps the player's name
  TestGame joiner;
  Game& j = joiner.game;
  JoinAsBob(j, folder.path());
  ASSERT_FALSE(j.setup.OptServerClient0);
  EXPECT_EQ(j.Role, NetRole::kClient);
  ClientConnectionOpened(j);
  EXPECT_TRUE(IsNetworkClient(j) && !IsHostOrSingle(j));
}

// Once the host answers, the joining player's name is kept in "defaults.cfg" for the next start.
TEST(LobbyRules, AJoinThatReachesTheHostKeepsThePlayersName) {
  ScratchFolder folder;
  TestGame joiner;
  Game& j = joiner.game;
  JoinAsBob(j, folder.path());
  SetupState before;
  ReadDefaults(folder.path(), before);
  EXPECT_NE(before.txtPL[0], "Bob");
  ClientConnectionOpened(j);
  SetupState after;
  ReadDefaults(folder.path(), after);
  EXPECT_EQ(after.txtPL[0], "Bob");
}

}  // namespace
}  // namespace zarnath
