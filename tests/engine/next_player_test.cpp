// The next-player step: the seat chain, eliminations, victories, notices, trims and the timer.
#include <gtest/gtest.h>

#include "engine/turn.h"
#include "engine_fixture.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

using testing::EngineGame;

const std::string kAnn = "Ann", kBob = "Bob", kCid = "Cid", kDee = "Dee";

TEST(HotSeat, TwoHumansTakeTurnsInSeatOrderAndTheLastDoneResolvesTheTurn) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {kBob}, {}, {}}});
  g.SpeedGame = true;

  ASSERT_TRUE(GameCheck(g));
  EXPECT_EQ(g.CurrentPlayer, 0);
  EXPECT_EQ(g.window.txtGame.Text, "- Initiating Turn #0 Ann!, World Color Blue -");
  EXPECT_EQ(g.window.txtGame.ForeColor, kPlayerColors[1]);
  EXPECT_EQ(g.window.Caption, "Zarnath - Year 1.00, Turn #0:  Ann");
  EXPECT_EQ(g.window.lblStatus[1], "Bob:  Taking Turn");

  f.ports.Clear();
  ImgDone_Click(g);
  EXPECT_EQ(g.CurrentPlayer, 1);
  EXPECT_EQ(g.window.txtGame.Text, "- Initiating Turn #0 Bob!, World Color Red -");
  EXPECT_EQ(g.GameYear, 1.0f);

  ImgDone_Click(g);  // the last seat with a world: the turn is resolved and seat 0 starts turn 1
  EXPECT_EQ(g.GameYear, 1.05f);
  EXPECT_EQ(g.CurrentPlayer, 0);
  EXPECT_EQ(g.window.txtGame.Text, "- Initiating Turn #1 Ann!, World Color Blue -");
  EXPECT_EQ(g.window.Caption, "Zarnath - Year 1.05, Turn #1:  Ann");
  EXPECT_FALSE(g.InputBusy);
  EXPECT_TRUE(g.menus.mnuFile.Enabled);
}

TEST(HotSeat, FourSeatsEndTheRoundAfterSeatThree) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {kBob}, {kCid}, {kDee}}});
  g.SpeedGame = true;
  GameCheck(g);
  for (int seat = 0; seat < 3; ++seat) {
    ImgDone_Click(g);
    EXPECT_EQ(g.CurrentPlayer, seat + 1);
    EXPECT_EQ(g.GameYear, 1.0f);
  }
  ImgDone_Click(g);  // seat 3: the seat number passes the last seat and the round ends
  EXPECT_EQ(g.GameYear, 1.05f);
  EXPECT_EQ(g.CurrentPlayer, 0);
  EXPECT_EQ(g.window.txtGame.Text, "- Initiating Turn #1 Ann!, World Color Blue -");
}

TEST(HotSeat, SeatsWithoutWorldsAreSkippedButKeepTakingTurnWhileTheyHaveObjectsInFlight) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {kBob}, {kCid}, {}}});
  g.SpeedGame = true;
  g.WorldOwner[9] = 0;             // Bob has lost his world...
  f.Put(0, 9, 3, 2, 5, 0.5f, 26);  // ...but a fleet is still on its way
  GameCheck(g);
  ImgDone_Click(g);
  EXPECT_EQ(g.CurrentPlayer, 2);
  EXPECT_EQ(g.window.txtGame.Text, "- Initiating Turn #0 Cid!, World Color Yellow -");
  EXPECT_EQ(g.window.lblStatus[1], "Bob:  Taking Turn");
  ImgDone_Click(g);
  EXPECT_EQ(g.GameYear, 1.05f);
}

TEST(HotSeat, DoneWhileTheTurnIsResolvedDoesNothing) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {kBob}, {}, {}}});
  GameCheck(g);
  g.InputBusy = true;
  f.ports.Clear();
  ImgDone_Click(g);
  EXPECT_EQ(g.CurrentPlayer, 0);
  EXPECT_TRUE(f.ports.calls.empty());
}

TEST(HotSeat, AComputerSeatsTurnIsHandedToTheComputerPlayer) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {"Atlas", 4}, {}, {}}});
  int turns = 0;
  f.ports.onComputerTurn = [&] { ++turns; };
  GameCheck(g);
  EXPECT_EQ(turns, 0);
  ImgDone_Click(g);
  EXPECT_EQ(turns, 1);
  EXPECT_EQ(g.CurrentPlayer, 1);
  EXPECT_EQ(f.ports.Count("Sound turn.wav"), 1);  // once a turn at one computer: seat 0's
}

TEST(NextPlayer, NoSeatOwningAWorldStopsWithAnErrorInsteadOfResolvingTurnsForNobody) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {kBob}, {}, {}}});
  g.WorldOwner[8] = g.WorldOwner[9] = 0;
  EXPECT_FALSE(GameCheck(g));
  EXPECT_EQ(g.GameYear, 1.0f);
  EXPECT_EQ(
      f.ports.Count("MessageBox Zarnath Error: No Player Owns A World Any More, So The Game Cannot Go On!"),
      1);
  EXPECT_FALSE(g.InputBusy);
  EXPECT_TRUE(g.menus.mnuFile.Enabled);
}

TEST(Elimination, APlayerWithNothingLeftIsAnnouncedOnceAndTheLastOneStandingWinsOnce) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {kBob}, {}, {}}});
  g.WorldOwner[9] = 1;  // Ann took Bob's home world
  GameCheck(g);
  EXPECT_EQ(g.window.lblStatus[1], "Bob:  Eliminated");
  EXPECT_NE(g.PlayerLog[0].find("\r\n - Bob Was Eliminated From The Game!"), std::string::npos);
  EXPECT_NE(g.PlayerLog[1].find("\r\n - Bob Was Eliminated From The Game!"), std::string::npos);
  EXPECT_TRUE(g.GameOver);
  EXPECT_TRUE(f.Noticed("- Ann Has Eliminated All The Other Players! -"));
  EXPECT_EQ(f.ports.Count("Sound battlelost.wav"), 1);
  EXPECT_EQ(f.ports.Count("Sound battlewon.wav"), 1);
  EXPECT_EQ(f.ports.Count("Pause 3000"), 2);

  f.ports.Clear();
  f.notices.clear();
  GameCheck(g);
  EXPECT_EQ(f.ports.Count("Pause 3000"), 0);
  EXPECT_FALSE(f.Noticed("- Ann Has Eliminated All The Other Players! -"));
}

TEST(Elimination, TheVictorySoundPlaysInASpeedGameButNotWithSoundOff) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {kBob}, {}, {}}});
  g.WorldOwner[9] = 1;
  g.SpeedGame = true;
  GameCheck(g);
  EXPECT_EQ(f.ports.Count("Sound battlewon.wav"), 1);
  EXPECT_EQ(f.ports.Count("Sound battlelost.wav"), 0);
}

TEST(Elimination, NoWinnerWhileAnotherNamedSeatStillPlays) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {kBob}, {}, {kDee}}});  // seats 0, 1 and 3
  g.WorldOwner[9] = 1;
  GameCheck(g);
  EXPECT_EQ(g.window.lblStatus[1], "Bob:  Eliminated");
  EXPECT_FALSE(g.GameOver);  // Dee still plays
  EXPECT_EQ(f.ports.Count("Sound battlewon.wav"), 0);
}

TEST(Elimination, SeatsTwoAndThreeOutOfThreeNamesNoWinner) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {}, {kCid}, {kDee}}});
  g.WorldOwner[10] = g.WorldOwner[11] = 1;
  GameCheck(g);
  EXPECT_EQ(g.window.lblStatus[2], "Cid:  Eliminated");
  EXPECT_EQ(g.window.lblStatus[3], "Dee:  Eliminated");
  EXPECT_FALSE(g.GameOver);
}

TEST(Elimination, FourPlayersWithSeatsOneToThreeOutGiveSeatZeroTheVictory) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {kBob}, {kCid}, {kDee}}});
  g.WorldOwner[9] = g.WorldOwner[10] = g.WorldOwner[11] = 1;
  GameCheck(g);
  EXPECT_TRUE(g.GameOver);
  EXPECT_TRUE(f.Noticed("- Ann Has Eliminated All The Other Players! -"));
}

TEST(Elimination, AnOwnNetworkSeatThatIsOutIsMarkedDoneAndNotAnnounced) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {kBob}, {kCid}, {}}});
  g.NetworkGame = true;
  g.setup.OptServerClient0 = false;
  g.CurrentPlayer = 1;
  g.WorldOwner[9] = 1;
  GameCheck(g);
  EXPECT_TRUE(g.TurnDone);
  EXPECT_EQ(g.window.Caption, "Zarnath - Year 1.00, Turn #0:  Bob (Eliminated)");
  EXPECT_TRUE(g.window.txtGame.Text.find("Initiating") == std::string::npos);
}

TEST(NextPlayer, ANetworkSeatWithOnlyObjectsInFlightHasFinishedItsTurn) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {kBob}, {}, {}}});
  g.NetworkGame = true;
  g.CurrentPlayer = 1;
  g.setup.OptServerClient0 = false;
  g.WorldOwner[9] = 0;
  f.Put(3, 9, 4, 2, 12, 0.4f, 26);
  GameCheck(g);
  EXPECT_EQ(g.window.lblStatus[1], "Bob:  Done Turn");
  EXPECT_EQ(g.window.Caption, "Zarnath - Year 1.00, Turn #0:  Bob (Done Turn)");
  EXPECT_TRUE(g.TurnDone);
  EXPECT_TRUE(f.ports.Has("Focus txtMessage"));
}

struct ConquestGame : EngineGame {
  ConquestGame() {
    Seat4({{{kAnn}, {kBob}, {}, {}}}, 9);
    // Ann holds all nine worlds: class sum 25, production 40, 50 ships.
    for (int w = 0; w < 9; ++w) {
      game.WorldOwner[w] = 1;
      game.WorldClass[w] = w == 0 ? 1 : 3;
      game.WorldProduction[w] = w < 8 ? 5 : 0;
      game.WorldShips[w] = w == 0 ? 18.0f : 4.0f;
    }
    AtTurn(9);
  }
};

TEST(Conquest, TheWinnerIsRatedScoredAndTheGameReturnsToTheSetupWindow) {
  ConquestGame f;
  Game& g = f.g();
  bool menusLockedThroughout = true;
  f.ports.onYield = [&] { menusLockedThroughout = menusLockedThroughout && !g.menus.mnuFile.Enabled; };
  std::string banner;
  f.ports.onRefresh = [&](Control c) {
    if (c == Control::kLblPlanet && g.window.lblPlanet.Visible) banner = g.window.lblPlanet.Caption;
  };
  EXPECT_FALSE(GameCheck(g));
  EXPECT_EQ(banner,
            "\r\n    Ann Has Taken Over The Entire Solar System!    \r\n     9 Worlds With 40 Production and "
            "50 Ships, "
            "Rating: 100.0    \r\n");
  EXPECT_TRUE(f.ports.Has("HighScore Ann 100 50 40 9 25"));
  EXPECT_TRUE(f.ports.Has("Timer tmrTurn off 0"));
  EXPECT_EQ(f.ports.Count("Yield"), 20);  // the farewell year of orbits
  EXPECT_TRUE(menusLockedThroughout);
  EXPECT_TRUE(g.menus.mnuFile.Enabled);
  EXPECT_TRUE(f.ports.Has("ReturnToSetup"));
  EXPECT_TRUE(g.PlayerName[0].empty());
  EXPECT_TRUE(g.window.SetupVisible);
  EXPECT_FALSE(g.window.Visible);
}

TEST(Conquest, AForeignObjectInFlightPostponesTheVictory) {
  ConquestGame f;
  Game& g = f.g();
  g.PlayerName[1].clear();  // only Ann named; Bob's last scout still flies
  f.Put(0, 2, 5, 2, 0, 0.3f, 26);
  EXPECT_TRUE(GameCheck(g));
  EXPECT_FALSE(f.ports.Has("ReturnToSetup"));
  EXPECT_EQ(g.window.lblStatus[0], "Ann:  Taking Turn");
}

TEST(Conquest, InsideTheEndOfTurnNothingOfTheClearedGameFollows) {
  ConquestGame f;
  Game& g = f.g();
  g.SpeedGame = true;
  g.CurrentPlayer = 3;  // the round is over
  g.menus.mnuFileAutoSave.Checked = true;
  g.AutoSaveYear = 1.0f;  // an offer would be due
  GameCheck(g);
  EXPECT_TRUE(f.ports.Has("ReturnToSetup"));
  EXPECT_FALSE(f.ports.Has("AutoSave"));
  EXPECT_TRUE(g.window.txtMove.Text.empty());
  EXPECT_TRUE(g.menus.mnuFile.Enabled);
}

TEST(NextPlayer, TheCrystalHolderLearnsEveryNeutralWorld) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {kBob}, {}, {}}});
  g.HasCrystal[0] = 1;
  f.AtTurn(7);
  g.WorldShips[3] = 12.5f;
  g.WorldShips[4] = 50000.0f;
  GameCheck(g);
  EXPECT_EQ(g.ScoutInfo[0][0][3], 7);
  EXPECT_EQ(g.ScoutInfo[0][1][3], g.WorldClass[3]);
  EXPECT_EQ(g.ScoutInfo[0][2][3], g.WorldProduction[3]);
  EXPECT_EQ(g.ScoutInfo[0][3][3], 12);     // halves to even
  EXPECT_EQ(g.ScoutInfo[0][3][4], 32767);  // saturated in its 16-bit field
  EXPECT_EQ(g.ScoutInfo[0][0][9], 0);      // Bob's world is not neutral
}

TEST(Notices, BattleTruceCountdown) {
  struct Case {
    int turn;
    const char* text;
  };
  const Case cases[] = {{5, nullptr},
                        {6, "- Battle Truce Ends In 4 Turns! -"},
                        {8, "- Battle Truce Ends In 2 Turns! -"},
                        {9, "-  Battle Truce Ends Next Turn! -"},
                        {10, " - Battle Truce Has Ended! -"},
                        {11, nullptr}};
  for (const Case& c : cases) {
    EngineGame f;
    Game& g = f.g();
    f.Seat4({{{kAnn}, {kBob}, {}, {}}});
    g.TruceUntilTurn = 10;
    f.AtTurn(c.turn);
    GameCheck(g);
    const bool anyTruce = std::any_of(f.notices.begin(), f.notices.end(), [](const std::string& n) {
      return n.find("Truce") != std::string::npos;
    });
    if (c.text) {
      EXPECT_TRUE(f.Noticed(c.text)) << "turn " << c.turn;
      EXPECT_EQ(f.ports.Count("Sound gameinfo.wav"), 1) << "turn " << c.turn;
      EXPECT_EQ(f.ports.Count("Pause 2000"), 1) << "turn " << c.turn;
    } else {
      EXPECT_FALSE(anyTruce) << "turn " << c.turn;
    }
  }
}

TEST(Notices, StartOfGameNamesTheOptionsWithoutSound) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {kBob}, {}, {}}});
  g.setup.chkTruce = g.setup.chkShield = g.setup.chkMode = 1;
  g.TruceUntilTurn = 10;
  GameCheck(g);
  EXPECT_TRUE(f.Noticed("- Battle Truce Set Until Turn 10! -"));
  EXPECT_TRUE(f.Noticed("- Ships Set To Travel With Shields! -"));
  EXPECT_TRUE(f.Noticed("- Defensive Battle Mode Set! -"));
  EXPECT_EQ(f.ports.Count("Sound gameinfo.wav"), 0);
  EXPECT_EQ(f.ports.Count("Pause 2000"), 3);
}

TEST(Notices, TheColourHintIsShownInTurnsZeroToFour) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {kBob}, {}, {}}});
  f.AtTurn(4);
  GameCheck(g);
  EXPECT_EQ(g.window.txtGame.Text, "- Initiating Turn #4 Ann!, World Color Blue -");
  f.AtTurn(5);
  GameCheck(g);
  EXPECT_EQ(g.window.txtGame.Text, "- Initiating Turn #5 Ann! -");
}

TEST(TurnTimer, MinutesByTurn) {
  EXPECT_EQ(TurnMinutesFor(4), 3);
  EXPECT_EQ(TurnMinutesFor(5), 4);
  EXPECT_EQ(TurnMinutesFor(14), 4);
  EXPECT_EQ(TurnMinutesFor(15), 5);
  EXPECT_EQ(TurnMinutesFor(29), 5);
  EXPECT_EQ(TurnMinutesFor(30), 6);

  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {kBob}, {}, {}}});
  f.AtTurn(14);
  GameCheck(g);
  EXPECT_FALSE(f.ports.TimerEnabled(GameTimer::kTurn));  // the menu reads "Turn Timer On": switched off
  g.menus.mnuOptionsTurn.Caption = "Turn Timer Off";
  GameCheck(g);
  EXPECT_EQ(g.TurnMinutesLeft, 4);
  EXPECT_TRUE(f.ports.Has("Timer tmrTurn on 60000"));
}

TEST(TurnTimer, ThreeMinutesWarnTwiceThenEndTheTurn) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {kBob}, {}, {}}});
  g.menus.mnuOptionsTurn.Caption = "Turn Timer Off";
  GameCheck(g);
  ASSERT_EQ(g.TurnMinutesLeft, 3);
  f.notices.clear();
  f.ports.Clear();
  auto tick = [&](GameTimer t) { TimerTick(g, t); };
  ASSERT_TRUE(f.ports.FireNextTimer(tick));
  EXPECT_EQ(f.notices.back(), "-  2 Minutes Left Until Turn Over! -");
  EXPECT_TRUE(f.ports.Has("Sound gameinfo.wav"));
  ASSERT_TRUE(f.ports.FireNextTimer(tick));
  EXPECT_EQ(f.notices.back(), "- Less Than  1 Minute Left Until Turn Over! -");
  EXPECT_TRUE(f.ports.Has("Sound timer.wav"));
  EXPECT_EQ(f.ports.nowMs, 120000);
  ASSERT_TRUE(f.ports.FireNextTimer(tick));
  EXPECT_TRUE(f.Noticed("- Your Turn Is Now Over! -"));
  EXPECT_EQ(g.CurrentPlayer, 1);  // Done was pressed for Ann
  EXPECT_EQ(g.window.txtGame.Text, "- Initiating Turn #0 Bob!, World Color Red -");
}

TEST(TurnTimer, WarningsPlayInASpeedGameButNotWithSoundOff) {
  EngineGame f;
  Game& g = f.g();
  g.SpeedGame = true;
  g.TurnMinutesLeft = 5;
  tmrTurn_Timer(g);
  EXPECT_TRUE(f.ports.Has("Sound gameinfo.wav"));
  g.SoundOff = true;
  tmrTurn_Timer(g);
  EXPECT_EQ(f.ports.Count("Sound gameinfo.wav"), 1);
  EXPECT_TRUE(f.ports.TimerEnabled(GameTimer::kTurn));
}

TEST(Trims, LogsKeepTheirEndAndHistoriesTheirStart) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {kBob}, {}, {}}});
  // A log of 3500 characters whose last line break at or before character 2000 starts at 1990.
  std::string log(3500, 'x');
  log.replace(1989, 2, "\r\n");
  log.replace(2500, 2, "\r\n");
  g.PlayerLog[1] = log;
  // A history of 1600 characters whose first line break after character 1000 starts at 1200.
  std::string history(1600, 'h');
  history.replace(500, 2, "\r\n");
  history.replace(1199, 2, "\r\n");
  g.WorldHistory[0][5] = history;
  g.WorldHistory[0][6] = std::string(1501, 'n');  // no line break: emptied
  GameCheck(g);
  EXPECT_EQ(g.PlayerLog[1].size(), 1990u);
  EXPECT_EQ(g.PlayerLog[1], log.substr(3500 - 1990));
  EXPECT_EQ(g.WorldHistory[0][5], history.substr(0, 1200));
  EXPECT_EQ(g.WorldHistory[0][5].back(), '\r');
  EXPECT_TRUE(g.WorldHistory[0][6].empty());
}

TEST(NextPlayer, TheMoveLogBoxShowsTheSeatsLogEndingInALineBreak) {
  EngineGame f;
  Game& g = f.g();
  f.Seat4({{{kAnn}, {kBob}, {}, {}}});
  g.PlayerLog[0] = "\r\nYear 1.00, Turn #0";
  GameCheck(g);
  EXPECT_EQ(g.window.txtMove.Text, "\r\nYear 1.00, Turn #0\r\n");
  EXPECT_TRUE(g.window.txtMove.Visible);
}

}  // namespace
}  // namespace zarnath
