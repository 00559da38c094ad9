#include "model/setup_rules.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/setup_load.h"
#include "fixtures/test_game.h"
#include "persist/atomic_file.h"

namespace zarnath {
namespace {

namespace fs = std::filesystem;

// A setup window just opened in a program folder of its own (no "defaults.cfg" unless written).
struct SetupFixture : testing::TestGame {
  fs::path folder = ::mkdtemp((fs::temp_directory_path() / "zarnath-setup-XXXXXX").string().data());
  SetupState& s = game.setup;
  SetupFixture() {
    game.programFolder = folder.string();
    for (int level = 0; level < 6; ++level) game.CpuName[static_cast<size_t>(level)] = kCpuNames[level];
  }
  ~SetupFixture() { fs::remove_all(folder); }
  void Open(const char* defaults = nullptr) {
    if (defaults) {
      EXPECT_TRUE(WriteFileAtomically((folder / "defaults.cfg").string(), defaults));
    }
    OpenNewSetupWindow(game);
  }
  // The slot as one line: name, box, lock, level shown, level text.
  std::string Slot(int k) const {
    const size_t i = static_cast<size_t>(k);
    return s.txtPL[i] + "|" + std::to_string(s.chkAI[i]) + (s.txtPLLocked[i] ? "L" : "") +
           (s.levelVisible[i] ? "V" : "") + "|" + s.txtAI[i];
  }
  // The world count with the treasures' text, value and bound.
  std::string Worlds() const {
    return s.txtPlanets + "/" + std::to_string(s.VScroll1) + " t" + s.txtOp[1] + "=" +
           std::to_string(s.VScrollOp[1]) + "<=" + std::to_string(s.treasuresMax);
  }
};

TEST(SetupWindow, OpensAtItsFirstValuesWithoutADefaultsFile) {
  SetupFixture f;
  f.game.NetworkGame = true;
  f.s.txtPL[2] = "old", f.s.chkAI[1] = 1, f.s.VScroll1 = 12;  // a previous window's values
  f.Open();
  const SetupState& s = f.s;
  EXPECT_TRUE(f.ports.calls.empty());  // no message, no sound
  EXPECT_FALSE(f.game.NetworkGame);
  EXPECT_EQ(f.game.PlayerColor, kPlayerColors);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(f.Slot(k), "|0|" + s.txtAI[static_cast<size_t>(k)]);
  EXPECT_EQ(s.txtAI, (std::array<std::string, 4>{"5", "5", "4", "3"}));
  EXPECT_EQ(s.HScrollAI, (std::array<int, 4>{5, 5, 4, 3}));
  EXPECT_TRUE(s.chkShield + s.chkMode + s.chkTruce == 0);
  EXPECT_TRUE(s.txtOp[2] == "3");
  EXPECT_TRUE(s.VScrollOp[2] == 3);
  EXPECT_EQ(f.Worlds(), "30/30 t8=8<=15");
  EXPECT_TRUE(s.txtOp[0] == "15");
  EXPECT_TRUE(s.txtTruce == "10");
  EXPECT_TRUE(s.OptRadar[0]);
  EXPECT_TRUE(!s.truceEnabled);
  EXPECT_TRUE(s.helpVisible);
  EXPECT_TRUE(!s.Label5Visible);
  EXPECT_TRUE(s.Label5 == "Status:");
  EXPECT_TRUE(!s.OptServerClient0);
  EXPECT_TRUE(s.chkLan + s.chkOnline == 0);
}

TEST(SetupWindow, RestoresTheLastChoicesLineByLine) {
  struct Case {
    const char* file;
    const char* name;
    int shield, mode;
    const char* turns;
    int clicks;
  };
  const Case cases[] = {
      {"Ann\r\n1\r\n1\r\n4\r\n", "Ann", 1, 1, "4", 1},
      {"Ann\n", "Ann", 0, 0, "3", 0},                   // a name line only
      {"Ann\r\n0\r\n1\r\n9\r\n", "Ann", 0, 1, "3", 0},  // gather turns out of range: kept
      {"Ann\r\n7\r\n1\r\n4\r\n", "Ann", 0, 0, "3", 0},  // a bad shield value ends the reading
      {"Ann*_Longer name\r\n1\r\n", "AnnLonge", 1, 0, "3", 1},
      {"Titanic\r\n1\r\n1\r\n4\r\n", "", 0, 0, "3", 0},  // a computer's name is no player's
      {"\r\n1\r\n0\r\n2\r\n", "", 1, 0, "2", 1},
  };
  for (const Case& c : cases) {
    SetupFixture f;
    f.Open(c.file);
    EXPECT_EQ(f.s.txtPL[0], c.name) << c.file;
    EXPECT_TRUE(f.s.chkShield == c.shield && f.s.chkMode == c.mode) << c.file;
    EXPECT_TRUE(f.s.txtOp[2] == c.turns && f.s.VScrollOp[2] == std::stoi(c.turns)) << c.file;
    EXPECT_EQ(f.ports.Count("Sound click1.wav"), c.clicks) << c.file;
    EXPECT_FALSE(f.ports.Has("MessageBox")) << c.file;
  }
}

TEST(SetupWindow, TheNewGameCommandReloadsOverAComputerInSeatZeroWithoutRenamingIt) {
  SetupFixture f;
  f.Open("Ann\r\n1\r\n0\r\n4\r\n");
  SetComputerBox(f.game, 0, 1);
  SetShieldBox(f.game, 0);
  LoadSetupWindow(f.game);
  EXPECT_EQ(f.Slot(0), "Titan|1LV|5");
  EXPECT_EQ(f.s.chkShield, 1);
}

TEST(SetupWindow, ComputerSlotsTakeTheirLevelsNamesAndTheWorldsTheyNeed) {
  SetupFixture f;
  f.Open();
  SetWorldBar(f.game, 9);
  EXPECT_EQ(f.Worlds(), "9/9 t 3=3<=5");
  EXPECT_FALSE(f.s.txtAIEnabled[1] || f.s.txtAIEnabled[2] || f.s.txtAIEnabled[3]);

  SetComputerBox(f.game, 2, 1);
  EXPECT_EQ(f.Slot(2), "Atlas|1LV|4");
  EXPECT_EQ(f.Worlds(), "11/11 t 3=3<=6");
  EXPECT_TRUE(f.s.txtAIEnabled[1]);
  EXPECT_TRUE(f.s.txtAIEnabled[2]);
  EXPECT_TRUE(!f.s.txtAIEnabled[3]);
  EXPECT_TRUE(f.s.truceEnabled);
  EXPECT_TRUE(f.s.Label5Visible);
  EXPECT_TRUE(f.s.Label5 == "Level: 6 - Hardest");
  EXPECT_TRUE(!f.s.helpVisible);

  SetComputerBox(f.game, 1, 1);
  SetLevelBar(f.game, 1, 6);
  EXPECT_EQ(f.Slot(1), "Hyperion|1LV|6");
  SetLevelBar(f.game, 1, 9);  // the bar holds its range
  EXPECT_EQ(f.Slot(1), "Hyperion|1LV|6");

  SetComputerBox(f.game, 2, 0);  // one of two: the level heading stays
  EXPECT_EQ(f.Slot(2), "|0|4");
  EXPECT_TRUE(f.s.Label5Visible);
  EXPECT_TRUE(!f.s.helpVisible);
  EXPECT_TRUE(f.s.truceEnabled);
  SetComputerBox(f.game, 1, 0);  // the last: the help comes back, the truce goes
  EXPECT_TRUE(!f.s.Label5Visible);
  EXPECT_TRUE(f.s.Label5 == "Status:");
  EXPECT_TRUE(f.s.helpVisible);
  EXPECT_TRUE(!f.s.truceEnabled);
  EXPECT_EQ(f.Worlds(), "11/11 t 3=3<=6");  // unticking also asks for the slot's worlds
}

TEST(SetupWindow, ALevelOutsideOneToSixNeverNamesAComputer) {
  for (const char* typed : {"0", "7", "-3", "", "x", "2.4"}) {
    SetupFixture f;
    f.Open();
    f.s.txtAI[3] = typed;
    SetComputerBox(f.game, 3, 1);
    EXPECT_EQ(f.s.txtPL[3], std::string(typed) == "2.4" ? "Phoebe" : "Calypso") << typed;
  }
}

TEST(SetupWindow, KeysIntoANameBox) {
  SetupFixture f;
  f.Open();
  SetWorldBar(f.game, 10);
  EXPECT_FALSE(txtPL_KeyPress(f.game, 3, '*'));  // swallowed, and still raises the count
  EXPECT_EQ(f.Worlds(), "12/12 t 4=4<=7");
  EXPECT_FALSE(txtPL_KeyPress(f.game, 0, '_'));
  EXPECT_TRUE(txtPL_KeyPress(f.game, 0, 'a'));
  EXPECT_TRUE(txtPL_KeyPress(f.game, 0, 8));
  SetWorldBar(f.game, 9);
  EXPECT_TRUE(txtPL_KeyPress(f.game, 1, 'B'));
  EXPECT_EQ(f.s.VScroll1, 10);
  EXPECT_TRUE(txtPL_KeyPress(f.game, 0, 'B'));  // slot 0 needs no more worlds
  EXPECT_EQ(f.s.VScroll1, 10);
}

TEST(SetupWindow, EditedNamesAreFilteredAndComputerNamesRefused) {
  struct Case {
    const char* typed;
    const char* kept;
    bool refused;
  };
  const Case cases[] = {{"Ann", "Ann", false},    {"A*n_n", "Ann", false}, {"Bartholomew", "Bartholo", false},
                        {"Titanic", "Ann", true}, {"Atlas", "Ann", true},  {"atlas", "atlas", false},
                        {"Hyper", "Ann", true},   {"Titu", "Titu", false}, {"Pando ra", "Ann", true}};
  for (const Case& c : cases) {
    SetupFixture f;
    f.Open();
    ASSERT_EQ(NameEdited(f.game, 1, "Ann"), NameEdit::kKept);
    f.ports.Clear();
    EXPECT_EQ(NameEdited(f.game, 1, c.typed), c.refused ? NameEdit::kComputerName : NameEdit::kKept)
        << c.typed;
    EXPECT_EQ(f.s.txtPL[1], std::string(c.kept).substr(0, 8)) << c.typed;
    EXPECT_TRUE(f.ports.calls.empty()) << c.typed;
    // The window's edit tells the refusal in a message box.
    EXPECT_EQ(EditSeatName(f.game, 1, c.typed), !c.refused) << c.typed;
    ASSERT_EQ(f.ports.calls.size(), c.refused ? 1u : 0u) << c.typed;
    if (c.refused) {
      EXPECT_EQ(f.ports.calls[0],
                "MessageBox Zarnath: That Name Belongs To A Computer Player!  Please Choose Another Name.");
    }
  }
  SetupFixture f;
  f.Open();
  SetComputerBox(f.game, 2, 1);
  EXPECT_EQ(NameEdited(f.game, 2, "Zed"), NameEdit::kLocked);  // a computer's box is locked
  EXPECT_FALSE(EditSeatName(f.game, 2, "Zed"));
  EXPECT_TRUE(f.ports.calls.empty());
  EXPECT_EQ(f.s.txtPL[2], "Atlas");
}

TEST(SetupWindow, WorldCountRulesKeepEveryUsedSlotInPlay) {
  struct Case {
    std::array<const char*, 4> names;
    bool online;
    int from, to;
    const char* worlds;
    std::array<const char*, 4> after;
  };
  const Case cases[] = {
      {{"Ann", "", "Cy", "Di"}, false, 10, 9, "9/9 t 3=3<=5", {"Ann", "", "", ""}},
      {{"Ann", "Bo", "", ""}, false, 10, 9, "10/10 t 3=3<=6", {"Ann", "Bo", "", ""}},
      {{"Ann", "", "", ""}, true, 10, 9, "10/10 t 3=3<=6", {"Ann", "", "", ""}},
      {{"Ann", "", "", "Di"}, false, 12, 10, "10/10 t 3=3<=6", {"Ann", "", "", ""}},
      {{"Ann", "Bo", "Cy", ""}, false, 15, 10, "11/11 t 3=3<=6", {"Ann", "Bo", "Cy", ""}},
      {{"Ann", "Bo", "Cy", "Di"}, false, 15, 9, "12/12 t 4=4<=7", {"Ann", "Bo", "Cy", "Di"}},
      {{"Ann", "", "", ""}, false, 9, 30, "30/30 t 8=8<=16", {"Ann", "", "", ""}},
      {{"Ann", "", "", ""}, false, 30, 20, "20/20 t 6=6<=11", {"Ann", "", "", ""}},
  };
  for (const Case& c : cases) {
    SetupFixture f;
    f.Open();
    f.s.chkOnline = c.online;
    SetWorldBar(f.game, c.from);
    for (int k = 0; k < 4; ++k) f.s.txtPL[static_cast<size_t>(k)] = c.names[static_cast<size_t>(k)];
    SetWorldBar(f.game, c.to);
    EXPECT_EQ(f.Worlds(), c.worlds) << c.from << "->" << c.to;
    for (int k = 0; k < 4; ++k) EXPECT_EQ(f.s.txtPL[static_cast<size_t>(k)], c.after[static_cast<size_t>(k)]);
  }
}

TEST(SetupWindow, ComingFromNineWorldsARaiseToElevenLeavesTheLastLevelBoxDisabled) {
  SetupFixture f;
  f.Open();
  SetWorldBar(f.game, 9);
  txtPL_KeyPress(f.game, 2, 'C');
  EXPECT_TRUE(f.s.VScroll1 == 11);
  EXPECT_TRUE(f.s.txtAIEnabled[1]);
  EXPECT_TRUE(f.s.txtAIEnabled[2]);
  EXPECT_TRUE(!f.s.txtAIEnabled[3]);
}

TEST(SetupWindow, FewerWorldsFreeAComputerSlotWhole) {
  SetupFixture f;
  f.Open();
  SetComputerBox(f.game, 3, 1);
  SetWorldBar(f.game, 14);
  SetComputerBox(f.game, 2, 1);
  SetWorldBar(f.game, 9);  // the large step down from 14: slot 1 empty, so slots 2 and 3 go
  EXPECT_EQ(f.Slot(2), "|0|4");
  EXPECT_EQ(f.Slot(3), "|0|3");
  EXPECT_TRUE(f.s.helpVisible);
  EXPECT_TRUE(!f.s.Label5Visible);
  EXPECT_TRUE(!f.s.truceEnabled);
  EXPECT_EQ(f.s.VScroll1, 9);
}

TEST(SetupWindow, TruceAndOptionBars) {
  SetupFixture f;
  f.Open();
  SetTruceBar(f.game, 20);  // unticked: the text keeps its value, and ticking does not refresh it
  TickTruceBox(f.game, 1);
  EXPECT_EQ(f.s.txtTruce, "10");
  SetTruceBar(f.game, 60);
  EXPECT_TRUE(f.s.txtTruce == "50");
  EXPECT_TRUE(f.s.VScroll2 == 50);
  EXPECT_EQ(f.ports.Count("Sound click1.wav"), 1);

  OptionTyped(f.game, 0, "2x5");
  EXPECT_TRUE(f.s.txtOp[0] == "25");
  EXPECT_TRUE(f.s.VScrollOp[0] == 25);
  OptionTyped(f.game, 0, "99");  // outside the range: shown while typed, then put back
  EXPECT_TRUE(f.s.txtOp[0] == "99");
  EXPECT_TRUE(f.s.VScrollOp[0] == 25);
  OptionTyped(f.game, 2, "");
  OptionTyped(f.game, 1, "16");  // above the bound of the first showing
  SettleOptionTexts(f.game);
  EXPECT_EQ(f.s.txtOp, (std::array<std::string, 3>{"25", "8", "3"}));
  SetOptionBar(f.game, 1, 40);
  SetOptionBar(f.game, 0, 1);
  EXPECT_TRUE(f.s.VScrollOp[1] == 15);
  EXPECT_TRUE(f.s.txtOp[1] == "15");
  EXPECT_TRUE(f.s.txtOp[0] == "5");
  SetRadar(f.game, 2);
  EXPECT_EQ(f.s.OptRadar, (std::array<bool, 3>{false, false, true}));
}

TEST(SetupWindow, TruceGroupFollowsTheOtherSlotsNames) {
  SetupFixture f;
  f.Open();
  SetName(f.game, 0, "Ann");
  EXPECT_FALSE(f.s.truceEnabled);
  SetName(f.game, 3, "Di");
  EXPECT_TRUE(f.s.truceEnabled);
  SetName(f.game, 3, "");
  EXPECT_FALSE(f.s.truceEnabled);
  f.s.OptServerClient0 = true;  // a host keeps it
  SetName(f.game, 3, "Di"), SetName(f.game, 3, "");
  EXPECT_TRUE(f.s.truceEnabled);
}

TEST(SetupWindow, ClosingClosesEveryConnectionAndTheListenerAtOnce) {
  for (bool host : {true, false}) {
    SetupFixture f;
    f.Open();
    f.s.OptServerClient0 = host, f.ports.socketCount = 3, f.game.window.SetupVisible = true;
    f.game.Role = host ? NetRole::kHost : NetRole::kClient;
    f.game.NetworkGame = true, f.game.Seated[1] = true;
    CloseSetupWindow(f.game);
    // Host and client alike: every element, the listener too, and the lobby's timers stop.
    EXPECT_EQ(f.ports.calls,
              (std::vector<std::string>{"Close 2", "Close 1", "Close 0", "Timer tmrStart off 10000",
                                        "Timer tmrClient off 15000", "Timer tmrServer off 60000",
                                        "Timer tmrConnect off 60000"}));
    EXPECT_FALSE(f.game.window.SetupVisible || f.game.NetworkGame || f.game.Seated[1]);
  }
}

// The headless games are set up as the window sets them up.
TEST(SetupWindow, ComputerGamesAreOnesTheWindowCanMake) {
  struct Case {
    std::array<int, 4> levels;
    int worlds;
    const char* result;
    std::array<const char*, 4> names;
  };
  const Case cases[] = {
      {{1, 2, 3, 4}, 9, "12/12 t 4=4<=7", {"Pandora", "Phoebe", "Calypso", "Atlas"}},
      {{6, 0, 5, 0}, 9, "11/11 t 3=3<=6", {"Hyperion", "", "Titan", ""}},
      {{2, 0, 0, 0}, 20, "20/20 t 6=6<=11", {"Phoebe", "", "", ""}},
      {{3, 3, 0, 0}, 30, "30/30 t8=8<=15", {"Calypso", "Calypso", "", ""}},  // the first showing's
  };
  for (const Case& c : cases) {
    SetupFixture f;
    SetUpComputerGame(f.game, c.levels, c.worlds);
    EXPECT_EQ(f.Worlds(), c.result);
    for (int k = 0; k < 4; ++k) {
      const size_t i = static_cast<size_t>(k);
      EXPECT_EQ(f.s.txtPL[i], c.names[i]);
      EXPECT_EQ(f.s.chkAI[i], c.levels[i] > 0);
      if (c.levels[i] > 0) {
        EXPECT_EQ(f.s.txtAI[i], std::to_string(c.levels[i]));
      }
    }
  }
}

}  // namespace
}  // namespace zarnath
