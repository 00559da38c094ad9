#include <gtest/gtest.h>

#include "headless/headless_match.h"
#include "persist/saved_game.h"
#include "persist/text_cipher.h"
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
  // The loaded game begins in turn 9 and stops, as the whole one does, when turn 24 begins.
  const MatchOptions l{.seed = 11, .worlds = 14, .levels = {2, 6, 4, 0}, .maxTurns = 15, .loadFrom = file};
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
  EXPECT_EQ(std::tie(x.ScoutInfo, x.SeatStatus, x.PlayerGone, x.GameOver, x.BattleData),
            std::tie(y.ScoutInfo, y.SeatStatus, y.PlayerGone, y.GameOver, y.BattleData));
}

// The turn cap counts the turns played, not the calendar: a game loaded at a year of 1000 (turn
// 19980) stops after as many turns as one loaded at turn 4.
TEST(LosslessPlay, TheTurnCapCountsTurnsPlayedFromTheLoadedYear) {
  ScratchFolder folder;
  const std::string file = folder.File("turn3.zq");
  MatchOptions o{
      .seed = 5, .worlds = 12, .levels = {3, 3, 0, 0}, .maxTurns = 5, .saveAtTurn = 3, .saveTo = file};
  HeadlessMatch first(o);
  first.game().programFolder = folder.path();
  ASSERT_TRUE(first.Play().saved);
  Lines lines = SplitCrLf(ReadBytes(file));
  lines[15] = Encrypt("1000", kSavedGameKey);  // the year
  WriteBytes(folder.File("late.zq"), JoinCrLf(lines));
  // The file, and the turns reported: the loaded one and the five played after it.
  const std::tuple<std::string, int> cases[] = {{file, 4}, {folder.File("late.zq"), 19980}};
  for (const auto& [path, start] : cases) {
    HeadlessMatch loaded({.seed = 5, .maxTurns = 5, .loadFrom = path});
    std::vector<int> turns;
    const MatchResult r = loaded.Play([&turns](const TurnReport& t) { turns.push_back(t.turn); });
    ASSERT_EQ(r.loadError, "") << path;
    EXPECT_EQ(turns, (std::vector<int>{start, start + 1, start + 2, start + 3, start + 4, start + 5}))
        << path;
    EXPECT_EQ(r.turns, start + 5);
  }
}

}  // namespace
}  // namespace zarnath
