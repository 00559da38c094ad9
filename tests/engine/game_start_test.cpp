#include "engine/game_start.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <optional>

#include "engine/menu_state.h"
#include "fixtures/file_faults.h"
#include "fixtures/test_game.h"
#include "model/game_texts.h"
#include "net/lobby.h"
#include "persist/atomic_file.h"

namespace zarnath {
namespace {

namespace fs = std::filesystem;

// A game in a program folder of its own holding an old "defaults.cfg"; a human "Ann" sits in seat 0.
struct StartFixture : testing::TestGame {
  fs::path folder = ::mkdtemp((fs::temp_directory_path() / "zarnath-start-XXXXXX").string().data());
  StartFixture() {
    game.programFolder = folder.string();
    game.setup.txtPL[0] = "Ann";
    EXPECT_TRUE(WriteFileAtomically((folder / "defaults.cfg").string(), "old\r\n"));
  }
  ~StartFixture() { fs::remove_all(folder); }
  std::string Defaults() const {
    std::string bytes;
    return ReadWholeFile((folder / "defaults.cfg").string(), bytes) ? bytes : "<missing>";
  }
  int Index(const std::string& call) const {
    return static_cast<int>(std::ranges::find(ports.calls, call) - ports.calls.begin());
  }
};

TEST(GameStart, StartsNothingWithoutANameInSeatZeroOrOnALanClientOrATooSmallScreen) {
  // A LAN client with an address joins: the same steps as Enter in the address box.
  StartFixture enter;
  enter.g().setup.chkLan = 1, enter.g().setup.txtIP = "192.168.1.20";
  JoinHost(enter.g());
  ASSERT_TRUE(enter.ports.Has("ConnectToHost"));
  const std::vector<std::string> calls[] = {
      {"MessageBox Zarnath: You Must Enter Your Name First!", "Focus txtPL0"}, {}, enter.ports.calls};
  for (int refusal = 0; refusal < 4; ++refusal) {
    StartFixture f;
    Game& g = f.g();
    g.WorldCount = 17;
    if (refusal == 0) g.setup.txtPL[0] = "";
    if (refusal == 1 || refusal == 2) g.setup.chkLan = 1, g.setup.OptServerClient0 = false;
    if (refusal == 2) g.setup.txtIP = "192.168.1.20";  // a client with an address connects
    if (refusal == 3) f.ports.innerWidth = 1000;
    imgStart_Click(g);
    EXPECT_TRUE(refusal == 3 || f.ports.calls == calls[refusal]) << refusal;
    if (refusal == 2) {
      const SetupState &a = g.setup, &b = enter.g().setup;
      EXPECT_EQ(std::tie(a.lblStatus, a.lblStatusVisible, a.txtPLLocked, a.optionsEnabled, a.ImgStartVisible,
                         a.OptServerClientEnabled, a.helpVisible),
                std::tie(b.lblStatus, b.lblStatusVisible, b.txtPLLocked, b.optionsEnabled, b.ImgStartVisible,
                         b.OptServerClientEnabled, b.helpVisible));
      EXPECT_EQ(g.PlayerName[0], "Ann");
    }
    EXPECT_EQ(f.ports.programEnded, refusal == 3);
    EXPECT_EQ(std::make_tuple(g.WorldCount, f.Defaults()),
              std::make_tuple(uint8_t{17}, std::string("old\r\n")));
  }
}

TEST(GameStart, StartsAGameAtOneComputer) {
  StartFixture f;
  Game& g = f.g();
  g.setup.txtPL = {"Ann", "", "Ann", "Pandora"};
  g.setup.chkAI[3] = 1, g.setup.txtAI[3] = "1", g.setup.txtPlanets = "20";
  g.GameYear = 7.5f, g.CurrentPlayer = 3, g.BattleDelay = 40, g.FleetFrom[3] = 4, g.TruceUntilTurn = 9;
  g.SelectedFrom = g.SelectedTo = g.ProxFrom = g.ProxTo = 5;
  g.TurnDone = g.HideFleets = g.InputBusy = g.GameOver = g.SoundOff = g.window.SetupVisible = true;
  g.window.txtMove.Text = g.window.txtGame.Text = g.window.txtMessage.Text = g.window.txtChat.Text = "old";
  g.menus.mnuFileNew.Enabled = g.menus.mnuFileLoad.Enabled = g.menus.mnuFileNewSS.Enabled = false;
  bool checked = false;
  f.ports.onGameCheck = [&] {  // the turn state is in place when the first turn is handed out
    checked = g.GameYear == 1.0f && StatusCaption(g, 0) == "Ann:  Taking Turn" && !g.InputBusy;
  };
  imgStart_Click(g);

  EXPECT_TRUE(checked);
  EXPECT_EQ(f.ports.calls,
            (std::vector<std::string>{"Close 0", "ShowGameWindow", "StopLobbyTimers", "Close 0",
                                      "HideSetupWindow", "GameCheck", "Refresh window"}));
  EXPECT_EQ(std::make_tuple(g.WorldCount, g.CurrentPlayer, g.BattleDelay, g.TruceUntilTurn, g.AutoSaveYear),
            std::make_tuple(uint8_t{20}, 0, 0.0f, 0, 0.0f));  // AutoSave off
  EXPECT_EQ(g.SelectedFrom + g.SelectedTo + g.ProxFrom + g.ProxTo, -4);
  EXPECT_EQ(
      std::make_tuple(g.TurnDone, g.HideFleets, g.InputBusy, g.GameOver, g.SoundOff, g.window.SetupVisible),
      std::make_tuple(false, false, false, false, false, false));
  EXPECT_EQ(g.window.txtMove.Text + g.window.txtGame.Text + g.window.txtMessage.Text + g.window.txtChat.Text,
            "");
  EXPECT_EQ(
      std::make_tuple(g.menus.mnuFileNew.Enabled, g.menus.mnuFileLoad.Enabled, g.menus.mnuFileNewSS.Enabled),
      std::make_tuple(true, true, true));
  EXPECT_EQ(std::make_tuple(g.window.Visible, g.GalaxyCenterX, IsFreeSlot(g, 3), g.ProxBombOwner[0]),
            std::make_tuple(true, 509.0f, true, int16_t{4}));
  EXPECT_EQ(
      (std::array<std::string, 4>{StatusCaption(g, 0), StatusCaption(g, 1), StatusCaption(g, 2),
                                  StatusCaption(g, 3)}),
      (std::array<std::string, 4>{"Ann:  Taking Turn", "", "Ann-Y:  Taking Turn", "Pandora:  Taking Turn"}));
}

TEST(GameStart, WorldCountStaysInTheSetupRange) {
  const std::tuple<const char*, int, int> cases[] = {
      {"5", 0, 9}, {"40", 0, 30}, {"9", 3, 12}, {"10", 2, 11}, {"abc", 0, 9}, {"12.5", 0, 12}, {"17", 3, 17}};
  for (const auto& [text, highestSeat, expected] : cases) {
    StartFixture f;
    f.g().setup.txtPlanets = text;
    for (int p = 1; p <= highestSeat; ++p) f.g().setup.txtPL[p] = "Bob";
    imgStart_Click(f.g());
    EXPECT_EQ(f.g().WorldCount, expected) << text;
    EXPECT_GT(f.g().WorldRadius[8 + highestSeat], 0.0f) << text;
  }
}

TEST(GameStart, DefaultsFileIsWrittenOnlyForAHumanAtOneComputer) {
  for (int game = 0; game < 4; ++game) {
    StartFixture f;
    f.g().setup.chkShield = 1, f.g().setup.chkMode = 0, f.g().setup.txtOp[2] = "4";
    if (game == 0) f.g().setup.chkLan = 1, f.g().setup.OptServerClient0 = true;  // a host without clients
    if (game == 1) f.g().setup.chkAI[0] = 1, f.g().setup.txtAI[0] = "5";
    if (game == 2) f.g().NetworkGame = true;
    // The defaults cannot be written (as on a full disk): the old file stays.
    std::optional<testing::FileWritesFail> full;
    if (game == 3) full.emplace();
    imgStart_Click(f.g());
    full.reset();
    EXPECT_EQ(f.Defaults(), game == 0 ? "Ann\r\n1\r\n0\r\n4\r\n" : "old\r\n") << game;
    EXPECT_EQ(f.ports.Count("GameCheck"), 1);  // the game starts either way
  }
}

// The option menu, a line a caption, checked items marked.
std::string Options(const GameMenus& m) {
  std::string s;
  for (const MenuItem* i : {&m.mnuOptionsBattle, &m.mnuOptionsShield, &m.mnuOptionsTruce, &m.mnuOptionsProd,
                            &m.mnuOptionsTreas, &m.mnuOptionsGath, &m.mnuOptionsRadar, &m.mnuOptionsSpeed})
    s += i->Caption + (i->Checked ? " [x]\n" : "\n");
  return s;
}

TEST(GameStart, OptionMenuCaptionsAndFlags) {
  StartFixture f;
  Game& g = f.g();
  g.setup.chkMode = 1, g.setup.txtOp = {"20", "5", "2"}, g.setup.OptRadar = {false, true, false};
  g.setup.chkTruce = 1, g.setup.txtTruce = "0";
  imgStart_Click(g);
  EXPECT_EQ(Options(g.menus),
            "Defensive Battle Mode [x]\nShips Do Not Travel With Shields\nNo Battle Truce\n"
            "Maximum World Production = 20\nWorld Treasures = 5\nMaximum Gather/Scout Turns = 2\n"
            "Home World Radar Off\nTurn Speed Game On\n");
  g.setup.chkMode = 0, g.setup.chkShield = 1, g.setup.OptRadar = {false, false, true},
  g.setup.txtTruce = "25";
  SetSwitch(g, Switch::kSpeed, true);
  imgStart_Click(g);  // a second game turns the speed game off
  EXPECT_EQ(Options(g.menus),
            "Offensive Battle Mode\nShips Travel With Shields [x]\nBattle Truce Until Turn #25 [x]\n"
            "Maximum World Production = 20\nWorld Treasures = 5\nMaximum Gather/Scout Turns = 2\n"
            "Home World Radar Unlimited\nTurn Speed Game On\n");
  EXPECT_EQ(g.TruceUntilTurn, 25);
  EXPECT_FALSE(g.SpeedGame);
  // The production limit the computer players weigh by is the number the game started with.
  EXPECT_EQ(g.MaxProduction, 20.0);
}

TEST(GameStart, NetworkHostPublishesTheGameBeforeTheFirstTurnAndAnInternetHostLogsIt) {
  for (bool internet : {false, true}) {
    StartFixture f;
    Game& g = f.g();
    g.NetworkGame = g.setup.OptServerClient0 = true;
    g.setup.chkOnline = internet, g.setup.txtPlanets = "20", g.setup.chkShield = 1;
    g.setup.txtPL[1] = "Bob", g.setup.chkTruce = 1, g.setup.txtTruce = "15";
    g.TimeBias = -400.0 * 86400;  // the shared clock runs well behind this one
    bool ready = false;           // the whole galaxy and every seat are in place for the clients
    f.ports.onGalaxySync = [&] {
      ready = g.WorldOwner[9] == 2 && g.PlayerName[1] == "Bob" && g.GameYear == 1;
    };
    const std::time_t before = std::time(nullptr) - 400 * 86400;
    imgStart_Click(g);
    EXPECT_TRUE(ready);
    EXPECT_EQ(f.ports.Count("GalaxySync"), 1);
    EXPECT_LT(f.Index("GalaxySync"), f.Index("Focus txtMessage"));
    EXPECT_LT(f.Index("Focus txtMessage"), f.Index("GameCheck"));
    const std::string& line = f.ports.calls.at(static_cast<size_t>(f.Index("GalaxySync") - 1));
    EXPECT_EQ(line.starts_with("GameLog"), internet) << line;
    if (!internet) continue;
    bool matches = false;
    for (std::time_t t = before; t <= before + 2; ++t)
      matches |= line == "GameLog " + OnlineGameLogLine(g, t);
    EXPECT_TRUE(matches) << line;
    std::tm when{};
    when.tm_year = 124, when.tm_mon = 2, when.tm_mday = 5, when.tm_hour = 7, when.tm_min = 8, when.tm_sec = 9;
    when.tm_isdst = -1;
    EXPECT_EQ(OnlineGameLogLine(g, std::mktime(&when)),
              "ZQ v1.40.0143 Game Start: 05/03/2024 07:08:09, Players: Ann Bob  , Planets: 20, "
              "Battle Truce Until Turn #15, Ships Travel With Shields, Offensive Battle Mode, "
              "Maximum World Production = 15, World Treasures = 8, Maximum Gather/Scout Turns = 3, "
              "Home World Radar On");
  }
}

}  // namespace
}  // namespace zarnath
