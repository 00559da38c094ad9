#include "commands/proximity_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/engine_fixture.h"
#include "model/game.h"
#include "model/motion_fixture.h"

namespace zarnath {
namespace {

// Ann's world 0 "Ares" (120 ships, two bombs) and world 1 "Zea" selected, as the popup leaves them.
struct Dialog : testing::TestGame {
  ProximityDialog dlg;
  explicit Dialog(float ships = 120) {
    testing::StillPair(game, 50, 0.0f, 210, 0.775f);
    game.PlayerName[0] = "Ann", game.PlayerName[1] = "Bob", game.WorldOwner[0] = 1;
    game.WorldName[0] = "Ares", game.WorldName[1] = "Zea";
    game.WorldShips[0] = ships, game.WorldBombs[0] = 2;
    Select();
  }
  void Select() { game.SelectedFrom = 0, game.SelectedTo = 1; }
  void Open() { Select(), dlg.mnuComSendProx_Click(game); }
};

TEST(ProximityDialog, FirstOpeningShowsTheCountWithoutBlankLaterOnesThroughTheBar) {
  Dialog d;
  Game& g = d.g();
  d.dlg.mnuComSendProx_Click(g);
  EXPECT_TRUE(g.window.ProximityDialogVisible && d.dlg.loaded);
  EXPECT_EQ(d.dlg.text, "120");
  EXPECT_EQ(d.dlg.value, 120);
  EXPECT_EQ(d.dlg.smallChange, 5);
  EXPECT_EQ(d.dlg.top, 9998);
  EXPECT_EQ(d.dlg.bottom, 0);
  EXPECT_TRUE(g.ProxFrom == 0 && g.ProxTo == 1 && g.SelectedFrom == -1 && g.SelectedTo == -1);
  EXPECT_TRUE(d.ports.Has("GalaxyDraw"));

  // Another count: the bar's change step writes the box, with its blank.
  g.WorldShips[0] = 50;
  d.Open();
  EXPECT_EQ(d.dlg.text, " 50");
  EXPECT_EQ(d.dlg.smallChange, 1);
  // The same count again: the bar does not move, the box keeps the bare digits.
  d.Open();
  EXPECT_EQ(d.dlg.text, "50");
}

TEST(ProximityDialog, FractionsAndCountsBeyondTheBarKeepTheBoxTrueAndTheBarInRange) {
  // Ships, the box at a first opening and at a later one whose bar stood elsewhere, the bar.
  const std::tuple<float, std::string, std::string, int> cases[] = {
      {12.5f, "12.5", " 12", 12},      {13.5f, "13.5", " 14", 14},         {9998, "9998", " 9998", 9998},
      {12000, "12000", "12000", 9998}, {5e6f, "5000000", "5000000", 9998}, {-3, "-3", "-3", 0},
  };
  for (const auto& [ships, firstBox, laterBox, bar] : cases) {
    for (bool first : {true, false}) {
      Dialog d(ships);
      if (!first) d.dlg.loaded = true, d.dlg.top = 9998, d.dlg.value = 300;
      d.Open();
      EXPECT_EQ(d.dlg.text, first ? firstBox : laterBox) << ships << (first ? " first" : " later");
      EXPECT_EQ(d.dlg.value, bar) << ships;
    }
  }
  Dialog fraction(12.5f);
  fraction.Open();
  ASSERT_EQ(fraction.dlg.ImgSet_Click(fraction.g()).result, LaunchResult::kLaunched);
  EXPECT_EQ(fraction.g().FleetShips[0], 10012.5f);
}

TEST(ProximityDialog, KeyFilterLetsOnlyFourDigitsIn) {
  for (int key = 0; key < 256; ++key)
    EXPECT_EQ(ProximityDialog::Text1_KeyPress(key), key >= '0' && key <= '9' ? key : 0) << key;
  ProximityDialog dlg;
  for (char c : std::string("1a2\b3\r4 5-6.")) dlg.Type(c);
  EXPECT_EQ(dlg.text, "1234");  // letters, Backspace, Enter and a fifth digit change nothing
}

TEST(ProximityDialog, BarStepsFollowTheValue) {
  Dialog d;
  d.Open();
  ProximityDialog& b = d.dlg;
  // Move to, then the box and the arrow step.
  const std::tuple<int, std::string, int> steps[] = {
      {500, " 500", 10}, {499, " 499", 5}, {100, " 100", 5},
      {99, " 99", 1},    {0, " 0", 1},     {20000, " 9998", 10},
  };
  for (const auto& [to, box, step] : steps) {
    b.SetValue(to);
    EXPECT_EQ(b.text, box) << to;
    EXPECT_EQ(b.smallChange, step) << to;
  }
  b.SetValue(495);
  b.ArrowUp();  // 495 + 5 reaches 500: the step becomes 10
  EXPECT_EQ(b.value, 500);
  b.ArrowUp(), b.PageDown();
  EXPECT_EQ(b.value, 500);
  b.SetValue(3), b.ArrowDown(), b.ArrowDown(), b.ArrowDown(), b.ArrowDown(), b.PageDown();
  EXPECT_EQ(b.value, 0);  // never below the bottom
}

TEST(ProximityDialog, SetSendsTheThresholdAndClosesWithTheSelectionCleared) {
  Dialog d;
  Game& g = d.g();
  d.Open();
  d.dlg.text = "25";
  const SendOutcome out = d.dlg.ImgSet_Click(g);
  EXPECT_TRUE(out.ran && out.result == LaunchResult::kLaunched && out.notice.empty());
  EXPECT_EQ(g.FleetShips[0], 10025.0f);
  EXPECT_TRUE(g.FleetFrom[0] == 1 && g.FleetTo[0] == 2 && g.WorldBombs[0] == 1 && g.WorldShips[0] == 120);
  EXPECT_FALSE(g.window.ProximityDialogVisible);
  EXPECT_TRUE(g.ProxFrom == -1 && g.ProxTo == -1 && g.SelectedFrom == -1 && g.SelectedTo == -1);
  EXPECT_EQ(d.ports.calls.back(), "Yield");
}

TEST(ProximityDialog, SetChecksTheSourceAtThatMoment) {
  // What happened after opening, the answer and the notice.
  const std::tuple<const char*, void (*)(Dialog&), bool, LaunchResult, std::string> cases[] = {
      {"count 0", [](Dialog& d) { d.dlg.text = "0"; }, false, LaunchResult::kNothingSelected, ""},
      {"empty box", [](Dialog& d) { d.dlg.text.clear(); }, false, LaunchResult::kNothingSelected, ""},
      {"orbit turned", [](Dialog& d) { d.game.ProxFrom = -1; }, false, LaunchResult::kNothingSelected, ""},
      {"hand-over", [](Dialog& d) { d.game.CurrentPlayer = 1; }, true, LaunchResult::kNotOwnWorld,
       "- World Ares Is Not Yours To Send From! -"},
      {"world taken", [](Dialog& d) { d.game.WorldOwner[0] = 2; }, true, LaunchResult::kNotOwnWorld,
       "- World Ares Is Not Yours To Send From! -"},
      {"last bomb gone", [](Dialog& d) { d.game.WorldBombs[0] = 0; }, true, LaunchResult::kNoBomb,
       "- No Bomb Left On World Ares! -"},
      {"threshold too large", [](Dialog& d) { d.dlg.text = "95000"; }, true, LaunchResult::kThresholdTooLarge,
       "- Proximity Bomb Threshold Too Large, Nothing Sent! -"},
  };
  for (const auto& [what, after, ran, result, notice] : cases) {
    Dialog d;
    d.Open();
    after(d);
    const SendOutcome out = d.dlg.ImgSet_Click(d.game);
    EXPECT_EQ(out.ran, ran) << what;
    EXPECT_EQ(out.result, result) << what;
    EXPECT_EQ(out.notice, notice) << what;
    EXPECT_TRUE(d.game.FleetFrom[0] == 0 && !d.game.window.ProximityDialogVisible) << what;
    EXPECT_TRUE(d.game.ProxFrom == -1 && d.game.SelectedFrom == -1) << what;
  }
}

TEST(ProximityDialog, NothingHappensWhileATurnIsResolved) {
  Dialog d;
  Game& g = d.g();
  g.TurnResolving = true;
  d.Open();
  EXPECT_FALSE(g.window.ProximityDialogVisible || d.dlg.loaded);
  EXPECT_TRUE(g.ProxFrom == -1 && g.SelectedFrom == 0);
  g.TurnResolving = false;
  d.Open();
  g.TurnResolving = true, g.InputBusy = true;
  EXPECT_FALSE(d.dlg.ImgSet_Click(g).ran);
  EXPECT_TRUE(g.window.ProximityDialogVisible && g.InputBusy && g.ProxFrom == 0 && g.FleetFrom[0] == 0);
}

// Ann pressed Done with the dialog open: Bob's turn begins without it.
TEST(ProximityDialog, ClosesWhenTheTurnPassesToAnotherSeat) {
  EngineGame f("AB..");
  Game& g = f.game;
  g.SpeedGame = true, g.WorldBombs[8] = 1;
  ProximityDialog dlg;
  dlg.OpenFor(g, 8, 9);
  ASSERT_TRUE(g.window.ProximityDialogVisible && g.ProxFrom == 8);
  g.CurrentPlayer = 1;
  GameCheck(g);
  EXPECT_FALSE(g.window.ProximityDialogVisible);
  EXPECT_EQ(g.ProxFrom, -1);
  dlg.text = "10";
  EXPECT_FALSE(dlg.ImgSet_Click(g).ran);
  EXPECT_EQ(g.WorldBombs[8], 1);
}

}  // namespace
}  // namespace zarnath
