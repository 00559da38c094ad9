#include "model/world_history.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "model/game.h"

namespace zarnath {
namespace {

// Ann (seat 0) looks at world 3 "Nix"; her objects come from world 0 "Ares".
struct History : GameState {
  History() {
    WorldCount = 9, PlayerName[0] = "Ann", PlayerColor = kPlayerColors;
    WorldName[0] = "Ares", WorldName[3] = "Nix", WorldName[4] = "Ob";
    GalaxyCenterX = 509, GalaxyCenterY = 206, GalaxyScaleX = 2, GalaxyScaleY = 1, WorldRadius[3] = 100;
  }
  void Fly(int slot, int owner, float code, double left, int to = 3, int shield = 0) {
    FleetFrom[slot] = 1, FleetTo[slot] = static_cast<uint8_t>(to + 1),
    FleetOwner[slot] = static_cast<uint8_t>(owner);
    FleetShips[slot] = code, FleetTimeLeft[slot] = left, FleetShield[slot] = static_cast<uint8_t>(shield);
  }
};

TEST(WorldHistory, ArrivalLinesByKindWithYearsAndTurns) {
  const std::tuple<float, double, int, std::string> cases[] = {
      {25, 0.1192, 40,
       "   25 Ships With 40% Shield From World Ares Will Arrive in 0.12 Years (3 Turns) \r\n"},
      {25, 0.05, 0, "   25 Ships With 0% Shield From World Ares Will Arrive in 0.05 Years (1 Turn) \r\n"},
      {9999, 0, 0, "   An Annihilation Bomb From World Ares Will Arrive in 0.00 Years (0 Turn) \r\n"},
      {10025, 0.1, 0, "   A Proximity Bomb From World Ares Will Arrive in 0.10 Years (2 Turns) \r\n"},
      {0, 0.2, 0, "   A Scout Ship From World Ares Will Arrive in 0.20 Years (4 Turns) \r\n"},
  };
  for (const auto& [code, left, shield, line] : cases) {
    History g;
    g.Fly(0, 1, code, left, 3, shield);
    EXPECT_EQ(HistoryArrivalLine(g, 0), line);
  }
}

TEST(WorldHistory, TitleArrivalsOfThePlayerThenTheStoredHistory) {
  History g;
  EXPECT_EQ(WorldHistoryText(g, 3),
            " - WORLD NIX HISTORY -\r\n   No History Currently Available! \r\n"
            "   Right-Click On World For Information ");
  g.Fly(0, 1, 0, 0.05), g.Fly(1, 2, 30, 0.05), g.Fly(2, 1, 30, 0.05, 4), g.Fly(3, 1, 9999, 0.1);
  const std::string scout = HistoryArrivalLine(g, 0), bomb = HistoryArrivalLine(g, 3);
  EXPECT_EQ(WorldHistoryText(g, 3), " - WORLD NIX HISTORY -\r\n" + scout + bomb.substr(0, bomb.size() - 2));
  g.WorldHistory[0][3] = "   Year 1.05, Turn #1: Taken \r\n";
  EXPECT_EQ(WorldHistoryText(g, 3),
            " - WORLD NIX HISTORY -\r\n" + scout + bomb + "   Year 1.05, Turn #1: Taken ");
}

TEST(WorldHistory, PlacedBesideTheWorldAndCappedAtAQuarterOfTheScreen) {
  History g;
  g.WorldAngle[3] = 0;  // right of the sun, on its line: ends at the world, from its centre down
  ViewPoint at = PlaceHistoryPopup(g, 3, 150, 80);
  EXPECT_DOUBLE_EQ(at.x, 709 - 150);
  EXPECT_DOUBLE_EQ(at.y, 206);
  g.WorldAngle[3] = 1.5708f;  // a hair left of the sun's vertical line, below it
  at = PlaceHistoryPopup(g, 3, 150, 80);
  EXPECT_NEAR(at.x, 509 + 10, 1e-3);
  EXPECT_NEAR(at.y, 306 - 80, 1e-3);
  EXPECT_EQ(HistoryPopupHeight(300, 768), 192);
  EXPECT_EQ(HistoryPopupHeight(100, 768), 100);
  EXPECT_EQ(WorldHistoryColour(g, 3), kNeutralColor);
}

}  // namespace
}  // namespace zarnath
