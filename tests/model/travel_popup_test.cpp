#include "model/travel_popup.h"

#include "commands/commands_fixture.h"

namespace zarnath::testing {
namespace {

struct PopupGame : CommandsGame {
  PopupGame(float ships, int target) {
    game.WorldShips[kAnnHome] = ships;
    game.SelectedFrom = kAnnHome, game.SelectedTo = static_cast<int16_t>(target);
  }
  TravelPopup Build(int charWidth = 5) {
    view.charWidth = charWidth;
    return BuildTravelPopup(game, {[&](const std::string& t) { return view.TextWidth(t); },
                                   [&](GameState& g, std::string& r) { view.CalcShips(g, r); }});
  }
  std::string Send(const std::string& count, int target) const {
    return " - Send" + count + " From World " + game.WorldName[kAnnHome] + " To " + game.WorldName[target];
  }
};

std::vector<int> Codes(const TravelPopup& p) {
  std::vector<int> out;
  for (const MenuRow& r : p.rows) out.push_back(r.code);
  return out;
}

TEST(TravelPopup, TheDistanceRowCountsTurnsAndNamesAnUnreachableTarget) {
  EXPECT_EQ(DistanceRowText(0.05f), " - Distance Between Worlds:  0.05 Years (1 Turn)");
  EXPECT_EQ(DistanceRowText(0.0501f), " - Distance Between Worlds:  0.06 Years (2 Turns)");
  EXPECT_EQ(DistanceRowText(0.3f), " - Distance Between Worlds:  0.30 Years (6 Turns)");
  EXPECT_EQ(DistanceRowText(kUnreachableYears), " - Distance Between Worlds:  Out Of Reach");
}

// The send rows offered for a source's ships: all of them, then 75, 50, 25 and 10 percent while the
// source holds more than 3, 1, 2 and 4 ships, each with the count the send command launches.
TEST(TravelPopup, SendRowsFollowTheSourcesShips) {
  struct Case {
    float ships;
    std::vector<std::string> counts;  // the send rows, in order
  };
  const std::vector<Case> cases = {
      {1, {" 1 Ship"}},
      {2, {" 2 Ships", " 1 Ship"}},
      {3, {" 3 Ships", " 2 Ships", " 1 Ship"}},
      {4.5f, {" 4.5 Ships", " 4 Ships", " 3 Ships", " 2 Ships", " 1 Ship"}},
      {0.5f, {}},
  };
  for (const Case& k : cases) {
    PopupGame p(k.ships, 5);
    p.game.WorldOwner[5] = 1;  // an own target: no estimate, no scout
    const TravelPopup popup = p.Build();
    std::vector<std::string> rows;
    for (size_t r = 2; r < popup.rows.size(); ++r) rows.push_back(popup.rows[r].text);
    std::vector<std::string> expected;
    for (const std::string& c : k.counts) expected.push_back(p.Send(c, 5));
    EXPECT_EQ(rows, expected) << k.ships;
    EXPECT_EQ(popup.height, MenuHeight(popup.rows.size()));
  }
}

TEST(TravelPopup, TheEstimateRowUsesIntelligenceAtMostFourTurnsOld) {
  struct Case {
    int turn;
    std::string row;
    int code;
  };
  for (const Case& k : {Case{10, " - Ships Needed To Take Over World:  ~37 Ships", 2},
                        Case{14, " - Ships Needed To Take Over World:  ~37 Ships", 2},
                        Case{15, " - Ships Needed To Take Over World:  Send Scout", 11}}) {
    PopupGame p(5, 3);
    p.AtTurn(k.turn);
    p.game.ScoutInfo[0][0][3] = 10;
    const TravelPopup popup = p.Build();
    EXPECT_EQ(popup.rows[2], (MenuRow{k.row, k.code})) << k.turn;
  }
  PopupGame empty(0, 3);  // bombs but no ships: the advice row is inert
  empty.game.WorldBombs[kAnnHome] = 1;
  EXPECT_EQ(Codes(empty.Build()), (std::vector<int>{0, 1, 0, 8, 9}));
}

TEST(TravelPopup, TheCrystalLeavesOutTheScoutRowForUnownedTargetsOnly) {
  for (int target : {3, kBobHome}) {
    PopupGame p(1, target);
    p.game.HasCrystal[0] = 1;
    const std::vector<int> codes = Codes(p.Build());
    EXPECT_EQ(codes.back() == kMenuSendScout, target == kBobHome) << target;
  }
}

// The popup is 280 px wide unless its measured row (the send-all row of more than one ship,
// otherwise the distance row) is 270 px or wider; then it is 10 px wider than that row.
TEST(TravelPopup, WidthFollowsTheMeasuredRow) {
  PopupGame narrow(5, 3);
  const TravelPopup a = narrow.Build(1);
  EXPECT_EQ(a.measured, narrow.Send(" 5 Ships", 3));
  EXPECT_EQ(a.width, 280);
  PopupGame wide(5, 3);
  const int chars = static_cast<int>(wide.Send(" 5 Ships", 3).size());
  const TravelPopup b = wide.Build(270 / chars + 1);
  EXPECT_EQ(b.width, chars * (270 / chars + 1) + 10);
  PopupGame one(1, 3);
  EXPECT_EQ(one.Build().measured.rfind(" - Distance Between Worlds:", 0), 0u);
}

}  // namespace
}  // namespace zarnath::testing
