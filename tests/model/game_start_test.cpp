#include "model/game_start.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "fixtures/test_game.h"
#include "persist/atomic_file.h"

namespace zarnath {
namespace {

namespace fs = std::filesystem;
using testing::TestGame;

// A program folder of its own for each test.
struct TempFolder {
  fs::path path;
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "zarnath-start-XXXXXX").string();
    path = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  std::string File(const std::string& name) const { return (path / name).string(); }
};

std::string ReadText(const std::string& file) {
  std::string bytes;
  return ReadWholeFile(file, bytes) ? bytes : "<missing>";
}

void WriteText(const std::string& file, const std::string& text) {
  ASSERT_TRUE(WriteFileAtomically(file, text));
}

// A game whose setup window holds a human "Ann" in seat 0 and nobody else.
struct StartFixture : TestGame {
  TempFolder folder;
  StartFixture() {
    game.programFolder = folder.path.string();
    game.setup.txtPL[0] = "Ann";
  }
  std::string Defaults() const { return ReadText(folder.File("defaults.cfg")); }
  int Index(const std::string& call) const {
    auto it = std::find(ports.calls.begin(), ports.calls.end(), call);
    return it == ports.calls.end() ? -1 : static_cast<int>(it - ports.calls.begin());
  }
};

TEST(GameStart, EmptyNameInSeatZeroOnlyShowsTheMessage) {
  StartFixture f;
  Game& g = f.g();
  g.setup.txtPL[0] = "";
  g.setup.txtPL[1] = "Bob";
  g.WorldCount = 17;
  g.GameYear = 3.0f;
  g.WorldShips[4] = 12;
  g.menus.mnuOptionsProd.Caption = "before";
  g.menus.mnuFileNew.Enabled = false;
  WriteText(f.folder.File("defaults.cfg"), "old\r\n");

  imgStart_Click(g);

  EXPECT_EQ(f.ports.calls, (std::vector<std::string>{"MessageBox Zarnath: You Must Enter Your Name First!",
                                                     "Focus txtPL0"}));
  EXPECT_EQ(g.WorldCount, 17);
  EXPECT_EQ(g.GameYear, 3.0f);
  EXPECT_EQ(g.WorldShips[4], 12.0f);
  EXPECT_EQ(g.menus.mnuOptionsProd.Caption, "before");
  EXPECT_FALSE(g.menus.mnuFileNew.Enabled);
  EXPECT_EQ(g.GalaxyCenterX, 0.0f);
  EXPECT_EQ(f.Defaults(), "old\r\n");
}

TEST(GameStart, LanClientStartsNoGame) {
  {
    StartFixture f;
    Game& g = f.g();
    g.setup.chkLan = 1;
    g.setup.OptServerClient0 = false;
    g.GameYear = 2.0f;
    imgStart_Click(g);
    EXPECT_TRUE(f.ports.calls.empty());
    EXPECT_EQ(g.GameYear, 2.0f);
    EXPECT_EQ(f.Defaults(), "<missing>");
  }
  {
    StartFixture f;
    Game& g = f.g();
    g.setup.chkLan = 1;
    g.setup.OptServerClient0 = false;
    g.setup.txtIP = "192.168.1.20";
    imgStart_Click(g);
    EXPECT_EQ(f.ports.calls, std::vector<std::string>{"ConnectToHost"});
    EXPECT_EQ(g.WorldCount, 0);
  }
  {
    // The host of a LAN game starts one.
    StartFixture f;
    Game& g = f.g();
    g.setup.chkLan = 1;
    imgStart_Click(g);
    EXPECT_EQ(f.ports.Count("GameCheck"), 1);
  }
}

TEST(GameStart, StartsAGameAtOneComputer) {
  StartFixture f;
  Game& g = f.g();
  g.setup.txtPL[2] = "Ann";
  g.setup.txtPL[3] = "Pandora";
  g.setup.chkAI[3] = 1;
  g.setup.txtAI[3] = "1";
  g.setup.txtPlanets = "20";
  g.GameYear = 7.5f;
  g.CurrentPlayer = 3;
  g.BattleDelay = 40;
  g.AutoSaveYear = 0.0f;
  g.SelectedFrom = g.SelectedTo = g.ProxFrom = g.ProxTo = 5;
  g.TurnDone = g.HideFleets = g.InputBusy = g.GameOver = g.SoundOff = true;
  g.window.txtMove.Text = g.window.txtGame.Text = g.window.txtMessage.Text = g.window.txtChat.Text = "old";
  g.window.SetupVisible = true;
  g.menus.mnuFileNew.Enabled = g.menus.mnuFileLoad.Enabled = g.menus.mnuFileNewSS.Enabled = false;
  g.FleetFrom[3] = 4;

  bool checked = false;
  f.ports.onGameCheck = [&] {
    // The turn state is in place when the first turn is handed out.
    checked = true;
    EXPECT_EQ(g.GameYear, 1.0f);
    EXPECT_EQ(g.window.lblStatus[0], "Ann:  Taking Turn");
    EXPECT_FALSE(g.InputBusy);
  };
  imgStart_Click(g);

  EXPECT_TRUE(checked);
  EXPECT_EQ(f.ports.calls,
            (std::vector<std::string>{"Close 0", "ShowGameWindow", "StopLobbyTimers", "Close 0",
                                      "HideSetupWindow", "GameCheck", "Refresh window"}));
  EXPECT_EQ(g.WorldCount, 20);
  EXPECT_EQ(g.GameYear, 1.0f);
  EXPECT_EQ(g.CurrentPlayer, 0);
  EXPECT_EQ(g.BattleDelay, 0);
  EXPECT_EQ(g.AutoSaveYear, 1.0f);
  EXPECT_EQ(g.SelectedFrom, -1);
  EXPECT_EQ(g.SelectedTo, -1);
  EXPECT_EQ(g.ProxFrom, -1);
  EXPECT_EQ(g.ProxTo, -1);
  EXPECT_FALSE(g.TurnDone || g.HideFleets || g.InputBusy || g.GameOver || g.SoundOff);
  EXPECT_EQ(g.window.txtMove.Text + g.window.txtGame.Text + g.window.txtMessage.Text + g.window.txtChat.Text,
            "");
  EXPECT_FALSE(g.window.SetupVisible);
  EXPECT_TRUE(g.window.Visible);
  EXPECT_TRUE(g.menus.mnuFileNew.Enabled && g.menus.mnuFileLoad.Enabled && g.menus.mnuFileNewSS.Enabled);
  EXPECT_EQ(g.GalaxyCenterX, 509.0f);
  EXPECT_TRUE(IsFreeSlot(g, 3));
  // The seats are in place, the equal name told apart, and each seat's caption says so.
  EXPECT_EQ(g.WorldOwner[8], 1);
  EXPECT_EQ(g.WorldOwner[10], 3);
  EXPECT_EQ(g.WorldOwner[11], 4);
  EXPECT_EQ(g.ProxBombOwner[0], 4);
  EXPECT_EQ(g.window.lblStatus, (std::array<std::string, 4>{"Ann:  Taking Turn", "", "Ann-Y:  Taking Turn",
                                                            "Pandora:  Taking Turn"}));
}

TEST(GameStart, WorldCountStaysInTheSetupRange) {
  struct Case {
    const char* text;
    int highestSeat;
    int expected;
  };
  for (const Case& c : {Case{"5", 0, 9}, Case{"40", 0, 30}, Case{"9", 3, 12}, Case{"10", 2, 11},
                        Case{"abc", 0, 9}, Case{"12.5", 0, 12}, Case{"17", 3, 17}}) {
    StartFixture f;
    Game& g = f.g();
    g.setup.txtPlanets = c.text;
    for (int p = 1; p <= c.highestSeat; ++p) g.setup.txtPL[p] = "Bob";
    imgStart_Click(g);
    EXPECT_EQ(g.WorldCount, c.expected) << c.text;
    EXPECT_GT(g.WorldRadius[8 + c.highestSeat], 0.0f) << c.text;
  }
}

TEST(GameStart, DefaultsFileIsWrittenForAHumanAtOneComputer) {
  StartFixture f;
  Game& g = f.g();
  g.setup.chkShield = 1;
  g.setup.chkMode = 0;
  g.setup.txtOp[2] = "4";
  WriteText(f.folder.File("defaults.cfg"), "old\r\n");
  imgStart_Click(g);
  EXPECT_EQ(f.Defaults(), "Ann\r\n1\r\n0\r\n4\r\n");
  EXPECT_FALSE(fs::exists(f.folder.File("defaults.cfg.tmp")));
}

TEST(GameStart, DefaultsFileIsLeftAloneForAComputerSeatOrANetworkGame) {
  {
    StartFixture f;
    Game& g = f.g();
    g.setup.txtPL[0] = "Titan";
    g.setup.chkAI[0] = 1;
    g.setup.txtAI[0] = "5";
    WriteText(f.folder.File("defaults.cfg"), "old\r\n");
    imgStart_Click(g);
    EXPECT_EQ(f.Defaults(), "old\r\n");
    EXPECT_EQ(f.ports.Count("GameCheck"), 1);
  }
  {
    StartFixture f;
    Game& g = f.g();
    g.NetworkGame = true;
    WriteText(f.folder.File("defaults.cfg"), "old\r\n");
    imgStart_Click(g);
    EXPECT_EQ(f.Defaults(), "old\r\n");
  }
}

TEST(GameStart, FailedDefaultsWriteKeepsTheOldFileAndTheStartGoesOn) {
  StartFixture f;
  Game& g = f.g();
  WriteText(f.folder.File("defaults.cfg"), "old\r\n");
  // The temporary file cannot be created where a folder of that name stands.
  fs::create_directory(f.folder.File("defaults.cfg.tmp"));
  imgStart_Click(g);
  EXPECT_EQ(f.Defaults(), "old\r\n");
  EXPECT_EQ(f.ports.Count("GameCheck"), 1);
  EXPECT_EQ(g.WorldOwner[8], 1);
}

TEST(GameStart, TruceCaptionAndTurn) {
  StartFixture f;
  Game& g = f.g();
  g.setup.chkTruce = 1;
  g.setup.txtTruce = "0";
  imgStart_Click(g);
  EXPECT_EQ(g.menus.mnuOptionsTruce.Caption, "No Battle Truce");
  EXPECT_FALSE(g.menus.mnuOptionsTruce.Checked);
  EXPECT_EQ(g.TruceUntilTurn, 0);

  g.setup.txtTruce = "25";
  imgStart_Click(g);
  EXPECT_EQ(g.menus.mnuOptionsTruce.Caption, "Battle Truce Until Turn #25");
  EXPECT_TRUE(g.menus.mnuOptionsTruce.Checked);
  EXPECT_EQ(g.TruceUntilTurn, 25);

  // A second game without the truce.
  g.setup.chkTruce = 0;
  imgStart_Click(g);
  EXPECT_EQ(g.menus.mnuOptionsTruce.Caption, "No Battle Truce");
  EXPECT_FALSE(g.menus.mnuOptionsTruce.Checked);
  EXPECT_EQ(g.TruceUntilTurn, 0);
}

TEST(GameStart, SecondGameTurnsTheSpeedGameOff) {
  StartFixture f;
  Game& g = f.g();
  imgStart_Click(g);
  g.SpeedGame = true;
  g.menus.mnuOptionsSpeed.Caption = "Turn Speed Game Off";
  imgStart_Click(g);
  EXPECT_FALSE(g.SpeedGame);
  EXPECT_EQ(g.menus.mnuOptionsSpeed.Caption, "Turn Speed Game On");
  EXPECT_EQ(f.ports.Count("GameCheck"), 2);
}

TEST(GameStart, OptionMenuCaptions) {
  StartFixture f;
  Game& g = f.g();
  g.setup.chkMode = 1;
  g.setup.chkShield = 0;
  g.setup.txtOp = {"20", "5", "2"};
  g.setup.OptRadar = {false, true, false};
  imgStart_Click(g);
  const GameMenus& m = g.menus;
  EXPECT_EQ(m.mnuOptionsBattle.Caption, "Defensive Battle Mode");
  EXPECT_TRUE(m.mnuOptionsBattle.Checked);
  EXPECT_EQ(m.mnuOptionsShield.Caption, "Ships Do Not Travel With Shields");
  EXPECT_FALSE(m.mnuOptionsShield.Checked);
  EXPECT_EQ(m.mnuOptionsProd.Caption, "Maximum World Production = 20");
  EXPECT_EQ(m.mnuOptionsTreas.Caption, "World Treasures = 5");
  EXPECT_EQ(m.mnuOptionsGath.Caption, "Maximum Gather/Scout Turns = 2");
  EXPECT_EQ(m.mnuOptionsRadar.Caption, "Home World Radar Off");

  g.setup.chkMode = 0;
  g.setup.chkShield = 1;
  g.setup.OptRadar = {false, false, true};
  imgStart_Click(g);
  EXPECT_EQ(m.mnuOptionsBattle.Caption, "Offensive Battle Mode");
  EXPECT_FALSE(m.mnuOptionsBattle.Checked);
  EXPECT_EQ(m.mnuOptionsShield.Caption, "Ships Travel With Shields");
  EXPECT_TRUE(m.mnuOptionsShield.Checked);
  EXPECT_EQ(m.mnuOptionsRadar.Caption, "Home World Radar Unlimited");

  g.setup.OptRadar = {true, false, false};
  imgStart_Click(g);
  EXPECT_EQ(m.mnuOptionsRadar.Caption, "Home World Radar On");
}

TEST(GameStart, HostWithoutClientsStartsLikeOneComputer) {
  StartFixture f;
  Game& g = f.g();
  g.setup.chkOnline = 1;
  imgStart_Click(g);
  EXPECT_EQ(f.ports.Count("GalaxySync"), 0);
  for (const auto& call : f.ports.calls) EXPECT_NE(call.rfind("GameLog", 0), 0u) << call;
  EXPECT_NE(f.Defaults(), "<missing>");
}

TEST(GameStart, NetworkHostPublishesTheGameBeforeTheFirstTurn) {
  StartFixture f;
  Game& g = f.g();
  g.NetworkGame = true;
  g.setup.txtPL[1] = "Bob";
  bool synced = false;
  f.ports.onGalaxySync = [&] {
    // The whole galaxy and every seat are in place when the clients get them.
    synced = true;
    EXPECT_EQ(g.WorldOwner[8], 1);
    EXPECT_EQ(g.WorldOwner[9], 2);
    EXPECT_EQ(g.PlayerName[1], "Bob");
    EXPECT_EQ(g.GameYear, 1.0f);
    EXPECT_EQ(f.ports.Count("GameCheck"), 0);
  };
  imgStart_Click(g);
  EXPECT_TRUE(synced);
  EXPECT_EQ(f.ports.Count("GalaxySync"), 1);
  EXPECT_EQ(f.ports.Count("GameCheck"), 1);
  EXPECT_LT(f.Index("GalaxySync"), f.Index("Focus txtMessage"));
  EXPECT_LT(f.Index("Focus txtMessage"), f.Index("GameCheck"));
  for (const auto& call : f.ports.calls) EXPECT_NE(call.rfind("GameLog", 0), 0u) << "not an internet game";
}

TEST(GameStart, InternetHostAddsTheGameLogLine) {
  StartFixture f;
  Game& g = f.g();
  g.NetworkGame = true;
  g.setup.chkOnline = 1;
  g.setup.txtPL[1] = "Bob";
  g.TimeBias = -400.0 * 86400;  // the shared clock runs well behind this one
  const std::time_t before = std::time(nullptr);
  imgStart_Click(g);
  const std::time_t after = std::time(nullptr);

  const int logAt = f.Index("GalaxySync") - 1;
  ASSERT_GE(logAt, 0);
  const std::string line = f.ports.calls[static_cast<size_t>(logAt)].substr(std::string("GameLog ").size());
  bool matches = false;
  for (std::time_t t = before; t <= after + 1; ++t) matches |= line == OnlineGameLogLine(g, t - 400 * 86400);
  EXPECT_TRUE(matches) << line;
  EXPECT_EQ(f.ports.calls[static_cast<size_t>(logAt)].rfind("GameLog ZQ v1.40.0143 Game Start: ", 0), 0u);
}

TEST(GameStart, OnlineGameLogLineFormat) {
  StartFixture f;
  Game& g = f.g();
  g.setup.txtPL = {"Ann", "Bob", "", ""};
  g.setup.txtPlanets = "20";
  g.setup.chkShield = 1;
  g.setup.chkTruce = 1;
  g.setup.txtTruce = "15";
  imgStart_Click(g);
  std::tm when{};
  when.tm_year = 2024 - 1900;
  when.tm_mon = 2;
  when.tm_mday = 5;
  when.tm_hour = 7;
  when.tm_min = 8;
  when.tm_sec = 9;
  when.tm_isdst = -1;
  EXPECT_EQ(OnlineGameLogLine(g, std::mktime(&when)),
            "ZQ v1.40.0143 Game Start: 05/03/2024 07:08:09, Players: Ann Bob  , Planets: 20, "
            "Battle Truce Until Turn #15, Ships Travel With Shields, Offensive Battle Mode, "
            "Maximum World Production = 15, World Treasures = 8, Maximum Gather/Scout Turns = 3, "
            "Home World Radar On");
}

TEST(GameStart, ScreenTooSmallEndsTheProgramBeforeAnythingChanges) {
  StartFixture f;
  Game& g = f.g();
  f.ports.innerWidth = 1000;
  g.GameYear = 2.0f;
  imgStart_Click(g);
  EXPECT_TRUE(f.ports.programEnded);
  EXPECT_EQ(f.ports.Count("GameCheck"), 0);
  EXPECT_EQ(g.GameYear, 2.0f);
  EXPECT_EQ(f.Defaults(), "<missing>");
}

}  // namespace
}  // namespace zarnath
