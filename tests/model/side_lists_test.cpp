#include "model/side_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "model/game.h"

namespace zarnath {
namespace {

// Ann (seat 0, human) owns world 2 "Amenthes"; Zea is world 5; seat 1 is Bob.
struct Panes : GameState {
  Panes() {
    WorldCount = 12, PlayerName[0] = "Ann", PlayerName[1] = "Bob", setup.chkAI[1] = 1;
    WorldName[2] = "Amenthes", WorldName[5] = "Zea", WorldOwner[2] = 1;
    WorldClass[2] = 3, WorldProduction[2] = 7, WorldShield[2] = 45, WorldShips[2] = 123;
  }
  void Fly(int slot, int owner, float code, double left, int to = 5) {
    FleetFrom[slot] = 3, FleetTo[slot] = static_cast<uint8_t>(to + 1),
    FleetOwner[slot] = static_cast<uint8_t>(owner);
    FleetShips[slot] = code, FleetTimeLeft[slot] = left;
  }
  void Plant(int k, int owner, int world) {
    ProxBombOwner[k] = static_cast<int16_t>(owner), ProxBombWorld[k] = static_cast<float>(world);
  }
};

TEST(SideLists, OwnedRowJoinsItsPiecesWithTabsPadsAndMarks) {
  Panes g;
  g.WorldShieldOn[2] = 1, g.WorldType[2] = kTypeFuel, g.WorldBombs[2] = 2;
  g.Plant(3, 1, 2), g.Plant(4, 2, 2), g.Plant(5, 1, 7);  // only Ann's bomb on this world counts
  EXPECT_EQ(OwnedWorldRow(g, 2), "  Amenthes        \t 3\t    7-S\t   45%\t  123 DBBP");
}

TEST(SideLists, PadsFollowTheNumbersAlone) {
  // Production, shield, ships, excluded: the row's columns after the class.
  const std::tuple<int, int, float, bool, std::string> cases[] = {
      {9, 0, 9, false, "    9\t     0%\t      9 "},     {10, 5, 10, false, "  10\t   5%\t    10 "},
      {15, 99, 99, false, "  15\t   99%\t    99 "},     {1, 100, 100, false, "    1\t  100%\t  100 "},
      {1, 100, 999, false, "    1\t  100%\t  999 "},    {1, 100, 1000, false, "    1\t  100%\t1000 "},
      {1, 100, 9.5f, false, "    1\t  100%\t    9.5 "},  // a fraction: pad of a count above 9
      {1, 100, 25, true, "    1\t  100%\t    [25] "},    // brackets leave the pad alone
      {1, 100, 2500, true, "    1\t  100%\t[2500] "},
  };
  for (const auto& [production, shield, ships, excluded, tail] : cases) {
    Panes g;
    g.WorldProduction[2] = static_cast<uint8_t>(production), g.WorldShield[2] = static_cast<uint8_t>(shield);
    g.WorldShips[2] = ships, g.WorldNoGather[2] = excluded;
    EXPECT_EQ(OwnedWorldRow(g, 2), "  Amenthes        \t 3\t" + tail) << ships;
  }
}

TEST(SideLists, TransitRowsNameTheKindTheWorldAndTheTurnsOrTheArrival) {
  const std::tuple<float, double, std::string> cases[] = {
      {25, 0.15, " 25 Ships Will Reach World Zea in 3 Turns"},
      {25, 0.1, " 25 Ships Will Reach World Zea in 2 Turns"},
      {25, 0.05, " 25 Ships Will Reach World Zea in 1 Turn"},
      {25, 0.0001, " 25 Ships Will Reach World Zea in 1 Turn"},
      {25, 0, "> 25 Ships Have Arrived At World Zea"},
      {25, -0.01, "> 25 Ships Have Arrived At World Zea"},
      {2.5f, 0.3, " 2.5 Ships Will Reach World Zea in 6 Turns"},
      {9998, 0.05, " 9998 Ships Will Reach World Zea in 1 Turn"},
      {9999, 0.2, " A Bomb Will Reach World Zea in 4 Turns"},
      {9999, 0, "> A Bomb Has Arrived At World Zea"},
      {10050, 0.1, " A Proximity Bomb Will Reach World Zea in 2 Turns"},
      {10050, 0, "> A Proximity Bomb Has Arrived At World Zea"},
      {0, 0.05, " A Scout Ship Will Reach World Zea in 1 Turn"},
      {0, 0, "> A Scout Ship Has Arrived At World Zea"},
  };
  for (const auto& [code, left, row] : cases) {
    Panes g;
    g.Fly(0, 1, code, left);
    EXPECT_EQ(TravelRow(g, 0), row);
  }
  EXPECT_EQ(TransitTurns(0.1), 2);
  EXPECT_EQ(TransitTurns(0.05), 1);
  EXPECT_EQ(TransitTurns(0), 0);
}

TEST(SideLists, HumanSeatGetsItsRowsInOrderWithItemDataAndIndicatorsWhileNotBusy) {
  Panes g;
  g.WorldOwner[9] = 1, g.WorldName[9] = "Bora", g.WorldBombs[9] = 3, g.WorldType[9] = kTypeArmedPulse;
  g.WorldOwner[4] = 2, g.WorldBombs[4] = 5;  // Bob's bombs are not Ann's
  g.HasCrystal[0] = 1;
  g.Fly(1, 1, 40, 0.1), g.Fly(2, 2, 40, 0.1), g.Fly(6, 1, 0, 0.3);
  SideLists panes = BuildSideLists(g);
  ASSERT_EQ(panes.owned.size(), 2u);
  EXPECT_EQ(panes.owned[0].data, 2);
  EXPECT_EQ(panes.owned[1].data, 9);
  EXPECT_EQ(panes.owned[1].text, "  Bora        \t 0\t    0\t     0%\t      0 BBB");
  ASSERT_EQ(panes.travel.size(), 2u);
  EXPECT_EQ(panes.travel[0].data, 1);
  EXPECT_EQ(panes.travel[1].data, 6);
  EXPECT_EQ(panes.ownedHeader, kOwnedHeader);
  EXPECT_EQ(std::string(kOwnedHeader).size(), 74u);
  EXPECT_TRUE(panes.listsVisible && panes.bombVisible && panes.fuelVisible && panes.crystalVisible);
  EXPECT_EQ(panes.bombCaption, "3");
  EXPECT_EQ(FirstTravelRowChoice(panes), 0);

  g.InputBusy = true;  // the lists are rebuilt and shown, the indicators are not
  panes = BuildSideLists(g);
  EXPECT_TRUE(panes.listsVisible && panes.owned.size() == 2 && !panes.indicatorsAllowed);
  EXPECT_FALSE(panes.bombVisible || panes.fuelVisible || panes.crystalVisible);
  g.window.SideListsVisible = g.window.IndicatorsVisible = true;
  ApplySideLists(g, panes);
  EXPECT_TRUE(g.window.SideListsVisible && !g.window.IndicatorsVisible);
}

TEST(SideLists, NothingInFlightNoBombsAndAComputerSeat) {
  Panes g;
  SideLists panes = BuildSideLists(g);
  ASSERT_EQ(panes.travel.size(), 1u);
  EXPECT_EQ(panes.travel[0].text, "None");
  EXPECT_EQ(panes.travel[0].data, kNoSlot);
  EXPECT_FALSE(panes.bombVisible || panes.fuelVisible || panes.crystalVisible);
  EXPECT_TRUE(panes.bombCaption.empty());

  g.CurrentPlayer = 1;  // Bob is a computer: everything empty and hidden, no "None"
  g.Fly(0, 2, 40, 0.1);
  panes = BuildSideLists(g);
  EXPECT_TRUE(panes.owned.empty() && panes.travel.empty() && panes.ownedHeader.empty());
  EXPECT_FALSE(panes.listsVisible || panes.bombVisible || panes.fuelVisible || panes.crystalVisible);
  EXPECT_EQ(FirstTravelRowChoice(panes), -1);
  ApplySideLists(g, panes);
  EXPECT_FALSE(g.window.SideListsVisible || g.window.IndicatorsVisible);
}

}  // namespace
}  // namespace zarnath
