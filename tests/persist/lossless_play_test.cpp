#include <gtest/gtest.h>

#include "headless/headless_match.h"
#include "persist_fixture.h"

namespace zarnath {
namespace {

using namespace testing;

// A seeded game saved after turn 8 and played on to turn 24 ends exactly like the same game
// loaded from that file and played on with the random source seeded alike.
TEST(LosslessPlay, ALoadedGamePlaysOnLikeTheUninterruptedOne) {
  ScratchFolder folder;
  const std::string file = folder.File("turn8.zq");
  const MatchOptions o{
      .seed = 11, .worlds = 14, .levels = {2, 6, 4, 0}, .maxTurns = 24, .saveAtTurn = 8, .saveTo = file};
  const MatchOptions l{.seed = 11, .worlds = 14, .levels = {2, 6, 4, 0}, .maxTurns = 24, .loadFrom = file};
  HeadlessMatch whole(o), loaded(l);
  whole.game().programFolder = folder.path();  // the start of a new game writes its defaults
  Lines a, b;
  const MatchResult ra = whole.Play([&a](const TurnReport& r) { a.push_back(TurnLine(r)); });
  ASSERT_TRUE(ra.saved) << ra.saveError;
  const MatchResult rb = loaded.Play([&b](const TurnReport& r) { b.push_back(TurnLine(r)); });
  ASSERT_EQ(rb.loadError, "");
  ASSERT_EQ(b.size(), 16u);  // turns 9 to 24
  EXPECT_EQ(Lines(a.end() - 16, a.end()), b);
  EXPECT_EQ(ResultLine(ra) + ra.broken, ResultLine(rb) + rb.broken);
  // The setup shows the treasures of a new world count with a leading blank, a loaded game as
  // plain digits: the same number.
  std::string& treasures = whole.game().setup.txtOp[1];
  EXPECT_EQ(treasures, " " + loaded.game().setup.txtOp[1]);
  treasures.erase(0, 1);
  const GameState &x = whole.game(), &y = loaded.game();
  EXPECT_EQ(SavedFieldDifferences(x, y), Lines());
  // What play keeps outside the file agrees as well.
  EXPECT_EQ(std::tie(x.ScoutInfo, x.window.lblStatus, x.PlayerGone, x.GameOver, x.BattleData),
            std::tie(y.ScoutInfo, y.window.lblStatus, y.PlayerGone, y.GameOver, y.BattleData));
}

}  // namespace
}  // namespace zarnath
