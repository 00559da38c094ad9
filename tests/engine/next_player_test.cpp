// The next-player step: the seat chain, eliminations, victories, notices, trims and the timer.
#include <gtest/gtest.h>

#include "engine/menu_state.h"
#include "engine_fixture.h"
#include "model/game_texts.h"

namespace zarnath {
namespace {

TEST(HotSeat, SeatsAreAnnouncedInOrderAndTheLastSeatsDoneResolvesTheTurn) {
  const std::string next[] = {"Ann!, World Color Blue", "Bob!, World Color Red", "Cid!, World Color Yellow",
                              "Dee!, World Color Green"};
  for (const std::string seats : {"AB..", "ABCD"}) {  // four seats: the round ends after seat 3
    EngineGame f(seats);
    Game& g = f.game;
    g.SpeedGame = true;
    ASSERT_TRUE(GameCheck(g));
    EXPECT_EQ(std::make_tuple(g.window.Caption, g.window.txtGame.ForeColor),
              std::make_tuple(std::string("Zarnath - Year 1.00, Turn #0:  Ann"), kPlayerColors[1]));
    for (size_t seat = 0; seat < (seats == "ABCD" ? 4u : 2u); ++seat) {
      EXPECT_EQ(std::make_tuple(g.window.txtGame.Text, g.GameYear),
                std::make_tuple("- Initiating Turn #0 " + next[seat] + " -", 1.0f));
      EndSeatTurn(g);
    }
    EXPECT_EQ(std::make_tuple(g.window.txtGame.Text, g.window.Caption, g.GameYear),
              std::make_tuple("- Initiating Turn #1 " + next[0] + " -",
                              std::string("Zarnath - Year 1.05, Turn #1:  Ann"), 1.05f));
    EXPECT_FALSE(g.InputBusy);
    EXPECT_TRUE(g.menus.mnuFile.Enabled);
    g.InputBusy = true;  // Done while a turn is resolved does nothing
    EndSeatTurn(g);
    EXPECT_EQ(g.CurrentPlayer, 0);
    EXPECT_NE(f.notices.back().find("Turn #1 Ann!"), std::string::npos);
  }
}

TEST(NextPlayer, NoSeatOwningAWorldStopsWithAnErrorInsteadOfResolvingTurnsForNobody) {
  EngineGame f("AB..");
  f.game.WorldOwner[8] = f.game.WorldOwner[9] = 0;
  EXPECT_FALSE(GameCheck(f.game));
  EXPECT_EQ(f.game.GameYear, 1.0f);
  EXPECT_TRUE(
      f.ports.Has("MessageBox Zarnath Error: No Player Owns A World Any More, So The Game Cannot Go On!"));
  EXPECT_FALSE(f.game.InputBusy);
  EXPECT_TRUE(f.game.menus.mnuFile.Enabled);
}

TEST(Elimination, EachOfTheNineMasksNamesItsWinnerOnlyWhenEveryOtherNamedSeatIsOut) {
  // {seats, the seats out (bit p: seat p, whose home world 8 + p the first seat still in takes), winner}
  const std::tuple<std::string, int, int> cases[] = {
      {"AB..", 1, 1},  {"AB..", 2, 0},  {"ABC.", 3, 2},  {"ABC.", 5, 1},  {"ABC.", 6, 0},
      {"ABCD", 7, 3},  {"ABCD", 11, 2}, {"ABCD", 13, 1}, {"ABCD", 14, 0}, {"AB.D", 1, -1},
      {"ABCD", 3, -1}, {"ABCD", 6, -1}, {"ABCD", 9, -1}, {"A.CD", 12, -1}};
  for (const auto& [seats, out, winner] : cases) {
    SCOPED_TRACE(seats + " mask " + std::to_string(out));
    EngineGame f(seats);
    Game& g = f.game;
    int taker = 0;
    while (seats[taker] == '.' || out & (1 << taker)) ++taker;
    for (int p = 0; p < kSeats; ++p)
      if (out & (1 << p)) g.WorldOwner[8 + p] = static_cast<uint8_t>(taker + 1);
    GameCheck(g);
    for (int p = 0; p < kSeats; ++p)
      EXPECT_EQ(StatusCaption(g, p).ends_with(":  Eliminated"), (out >> p & 1) == 1) << p;
    EXPECT_EQ(g.GameOver, winner >= 0);
    EXPECT_EQ(f.NoticeHas("Has Eliminated All The Other Players!"), winner >= 0);
    if (winner >= 0) {
      EXPECT_TRUE(f.Noticed("- " + g.PlayerName[winner] + " Has Eliminated All The Other Players! -"));
    }
    GameCheck(g);  // announced once
    EXPECT_EQ(f.ports.Count("Sound battlewon.wav"), winner >= 0 ? 1 : 0);
  }
  EngineGame f("AB..");  // every human's log tells of the elimination
  f.game.WorldOwner[9] = 1;
  GameCheck(f.game);
  EXPECT_EQ(f.game.PlayerLog[0], "\r\n - Bob Was Eliminated From The Game!");
}

// The last player standing is cheered with the sound of a won battle even in a speed game, which
// silences every other event; only the sound switch silences it.
TEST(Elimination, TheVictorySoundPlaysInASpeedGameUnlessTheSoundIsOff) {
  for (const bool soundOff : {false, true}) {
    EngineGame f("AB..");
    std::tie(f.game.SpeedGame, f.game.SoundOff) = std::make_tuple(true, soundOff);
    f.game.WorldOwner[9] = 1;
    GameCheck(f.game);
    ASSERT_TRUE(f.game.GameOver);
    EXPECT_EQ(f.ports.Count("Sound battlewon.wav"), soundOff ? 0 : 1) << soundOff;
  }
}

// Bob's elimination is announced over the sun for three seconds with the sound of a lost battle
// (not in a speed game), then the announcement goes and his caption says he is out.
TEST(Elimination, TheAnnouncementItsSoundAndItsThreeSeconds) {
  for (bool speed : {false, true}) {
    EngineGame f("ABC.");
    Game& g = f.game;
    g.SpeedGame = speed;
    g.WorldOwner[9] = 1;
    std::vector<std::pair<std::string, int>> shown;  // caption and alignment while visible
    f.ports.onRefresh = [&](Control c) {
      if (c == Control::kLblPlanet && g.window.lblPlanet.Visible)
        shown.emplace_back(g.window.lblPlanet.Caption, g.window.lblPlanet.Alignment);
    };
    GameCheck(g);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown[0],
              std::make_pair(std::string("\r\n    Bob Has Been Eliminated From The Game!    \r\n"), 2));
    const int pause = f.Index("Pause 3000");
    ASSERT_LT(pause, static_cast<int>(f.ports.calls.size()));
    EXPECT_EQ(f.ports.Has("Sound battlelost.wav"), !speed);
    if (!speed) {
      EXPECT_LT(f.Index("Sound battlelost.wav"), pause);
    }
    EXPECT_FALSE(g.window.lblPlanet.Visible);
    EXPECT_EQ(g.window.lblPlanet.Alignment, 0);
    EXPECT_EQ(StatusCaption(g, 1), "Bob:  Eliminated");
  }
}

// Ann holds all nine worlds at turn 9: class sum 25, production 40, 50 ships.
struct Conquest : EngineGame {
  Conquest() : EngineGame("AB..", 9) {
    for (int w = 0; w < 9; ++w)
      std::tie(game.WorldOwner[w], game.WorldClass[w], game.WorldProduction[w], game.WorldShips[w]) =
          std::make_tuple(1, w == 0 ? 1 : 3, w < 8 ? 5 : 0, w == 0 ? 18.0f : 4.0f);
    AtTurn(9);
  }
};

TEST(Conquest, TheWinnerIsRatedScoredAndTheGameReturnsToTheSetupWindowWithMenusLockedUntilThen) {
  Conquest f;
  Game& g = f.game;
  bool locked = true;
  f.ports.onYield = [&] { locked = locked && !g.menus.mnuFile.Enabled; };
  std::string banner;
  f.ports.onRefresh = [&](Control c) {
    if (c == Control::kLblPlanet && g.window.lblPlanet.Visible) banner = g.window.lblPlanet.Caption;
  };
  EXPECT_FALSE(GameCheck(g));
  EXPECT_EQ(
      banner,
      "\r\n    Ann Has Taken Over The Entire Solar System!    \r\n     9 Worlds With 40 Production and 50 "
      "Ships, Rating: 100.0    \r\n");
  EXPECT_TRUE(f.ports.Has("HighScore Ann 100 50 40 9 25"));
  EXPECT_TRUE(f.ports.Has("Timer tmrTurn off 0"));
  EXPECT_EQ(f.ports.Count("Yield"), 20);  // the farewell year of orbits
  EXPECT_TRUE(locked);
  EXPECT_TRUE(g.menus.mnuFile.Enabled);
  EXPECT_TRUE(f.ports.Has("ReturnToSetup"));
  EXPECT_EQ(std::make_tuple(g.window.SetupVisible, g.PlayerName[0]), std::make_tuple(true, std::string()));
}

TEST(Conquest, InsideTheEndOfTurnNothingOfTheClearedGameFollows) {
  Conquest f;
  Game& g = f.game;
  std::tie(g.SpeedGame, g.CurrentPlayer, g.AutoSaveOn) = std::make_tuple(true, 3, true);
  g.AutoSaveYear = 1.0f;  // the round is over, and an autosave offer would be due
  GameCheck(g);
  EXPECT_TRUE(f.ports.Has("ReturnToSetup"));
  EXPECT_FALSE(f.ports.Has("AutoSave"));
  EXPECT_EQ(g.window.txtMove.Text, "");
}

TEST(NextPlayer, TheCrystalHolderLearnsEveryNeutralWorldSaturatingItsShips) {
  EngineGame f("AB..");
  Game& g = f.game;
  f.AtTurn(7);
  std::tie(g.HasCrystal[0], g.WorldShips[3], g.WorldShips[4]) = std::make_tuple(1, 12.5f, 50000.0f);
  GameCheck(g);
  EXPECT_EQ(
      (std::vector<int>{g.ScoutInfo[0][0][3], g.ScoutInfo[0][1][3], g.ScoutInfo[0][2][3],
                        g.ScoutInfo[0][3][3], g.ScoutInfo[0][3][4], g.ScoutInfo[0][0][9]}),
      (std::vector<int>{7, g.WorldClass[3], g.WorldProduction[3], 12, 32767, 0}));  // Bob's is not neutral
}

TEST(Notices, TheStartOfGameOptionsAndTheTruceCountdown) {
  using Case = std::pair<int, const char*>;  // {turn, truce notice}
  for (const auto& [turn, text] :
       {Case{0, "- Battle Truce Set Until Turn 10! -"}, Case{5, nullptr},
        Case{6, "- Battle Truce Ends In 4 Turns! -"}, Case{8, "- Battle Truce Ends In 2 Turns! -"},
        Case{9, "-  Battle Truce Ends Next Turn! -"}, Case{10, " - Battle Truce Has Ended! -"},
        Case{11, nullptr}}) {
    EngineGame f("AB..");
    f.game.TruceUntilTurn = 10;
    f.game.setup.chkTruce = f.game.setup.chkShield = f.game.setup.chkMode = turn == 0 ? 1 : 0;
    f.AtTurn(turn);
    GameCheck(f.game);
    EXPECT_EQ(f.NoticeHas("Truce"), text != nullptr) << turn;
    EXPECT_TRUE(!text || f.Noticed(text)) << turn;
    EXPECT_EQ(f.ports.Count("Sound gameinfo.wav"), text && turn ? 1 : 0) << turn;  // the options play none
    EXPECT_EQ(f.ports.Count("Pause 2000"), turn ? (text ? 1 : 0) : 3) << turn;
    EXPECT_EQ(
        f.Noticed("- Ships Set To Travel With Shields! -") + f.Noticed("- Defensive Battle Mode Set! -"),
        turn ? 0 : 2);
    EXPECT_EQ(f.game.window.txtGame.Text.find(", World Color Blue") != std::string::npos, turn < 5) << turn;
  }
}

TEST(TurnTimer, MinutesByTurnWhenSwitchedOnAndThreeMinutesWarnTwiceThenEndTheTurn) {
  const std::pair<int, int> minutes[] = {{4, 3}, {5, 4}, {14, 4}, {15, 5}, {29, 5}, {30, 6}};
  for (const auto& [turn, m] : minutes) EXPECT_EQ(TurnMinutesFor(turn), m) << turn;
  EngineGame f("AB..");
  Game& g = f.game;
  EXPECT_EQ(g.menus.mnuOptionsTurn.Caption, "Turn Timer Off");  // a run starts with the timer on
  SetSwitch(g, Switch::kTurnTimer, false);
  GameCheck(g);
  EXPECT_FALSE(f.ports.TimerEnabled(GameTimer::kTurn));  // switched off: no turn is timed
  SetSwitch(g, Switch::kTurnTimer, true);
  GameCheck(g);
  EXPECT_EQ(g.TurnMinutesLeft, 3);
  EXPECT_TRUE(f.ports.Has("Timer tmrTurn on 60000"));
  EXPECT_TRUE(g.TurnTimerEnabled);
  EXPECT_EQ(g.TurnTimerInterval, 60000);
  f.ports.Clear();
  auto tick = [&](GameTimer t) { TimerTick(g, t); };
  ASSERT_TRUE(f.ports.FireNextTimer(tick));
  EXPECT_TRUE(f.ports.Has("Sound gameinfo.wav"));
  EXPECT_EQ(f.notices.back(), "-  2 Minutes Left Until Turn Over! -");
  ASSERT_TRUE(f.ports.FireNextTimer(tick));
  EXPECT_TRUE(f.ports.Has("Sound timer.wav"));
  EXPECT_EQ(f.ports.nowMs, 120000);
  EXPECT_EQ(f.notices.back(), "- Less Than  1 Minute Left Until Turn Over! -");
  ASSERT_TRUE(f.ports.FireNextTimer(tick));
  EXPECT_TRUE(f.Noticed("- Your Turn Is Now Over! -"));
  EXPECT_EQ(g.CurrentPlayer, 1);  // Done was pressed for Ann
  // A speed game keeps the warning's sound; sound off silences it.
  std::tie(g.SpeedGame, g.TurnMinutesLeft) = std::make_tuple(true, 5);
  f.ports.Clear();
  TurnTimerTick(g);
  g.SoundOff = true;
  TurnTimerTick(g);
  EXPECT_EQ(f.ports.Count("Sound gameinfo.wav"), 1);
}

TEST(Trims, LogsKeepTheirEndHistoriesTheirStartAndTheLogBoxShowsTheSeatsLog) {
  EngineGame f("AB..");
  Game& g = f.game;
  std::string log(3500, 'x');  // its last line break at or before character 2000 starts at 1990
  log.replace(1989, 2, "\r\n").replace(2500, 2, "\r\n");
  std::string history(1600, 'h');  // its first line break after character 1000 starts at 1200
  history.replace(500, 2, "\r\n").replace(1199, 2, "\r\n");
  std::tie(g.PlayerLog[0], g.PlayerLog[1], g.WorldHistory[0][5], g.WorldHistory[0][6]) =
      std::make_tuple("\r\nYear 1.00, Turn #0", log, history, std::string(1501, 'n'));  // no break: emptied
  GameCheck(g);
  EXPECT_EQ(g.PlayerLog[1], log.substr(3500 - 1990));
  EXPECT_EQ(g.WorldHistory[0][5], history.substr(0, 1200));
  EXPECT_TRUE(g.WorldHistory[0][6].empty());
  EXPECT_EQ(g.window.txtMove.Text, "\r\nYear 1.00, Turn #0\r\n");
}

}  // namespace
}  // namespace zarnath
