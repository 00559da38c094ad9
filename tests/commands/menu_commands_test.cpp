// The game window's menus: the menu bar's items and shortcuts, the option switches and their
// captions, AutoSave, Pause, the new-game questions, Quit, and the turn clock on a resize.
#include "commands/menu_commands.h"

#include <gtest/gtest.h>

#include "engine/engine_fixture.h"
#include "engine/game_start.h"
#include "engine/save_load.h"
#include "model/menu_tree.h"
#include "net/lobby.h"
#include "persist/persist_fixture.h"
#include "persist/saved_game.h"

namespace zarnath {
namespace {

// Every item of the bar as "name|caption|shortcut", separators as their names.
std::vector<std::string> BarItems(const GameMenus& m, const MenuBarEntry& menu) {
  std::vector<std::string> out{(m.*menu.title).Caption};
  for (const MenuEntry& e : menu.items) {
    if (!e.item) {
      out.push_back(e.name);
      continue;
    }
    out.push_back(std::string(e.name) + "|" + (m.*e.item).Caption + (e.shortcut ? "|^" : "") +
                  (e.shortcut ? std::string(1, e.shortcut) : ""));
  }
  return out;
}

TEST(MenuBar, EveryMenuItemsCaptionAtTheStartOfARunAndItsShortcut) {
  const GameMenus m;
  const std::vector<MenuBarEntry>& bar = MenuBar();
  ASSERT_EQ(bar.size(), 4u);
  EXPECT_EQ(BarItems(m, bar[0]),
            (std::vector<std::string>{"&File", "mnuFileNew|New Game", "mnuFileSave|Save Game|^S",
                                      "mnuFileLoad|Load Game", "mnuLine1", "mnuFileNewSS|Reset Solar System",
                                      "mnuLine4", "mnuFileAutoSave|AutoSave Off|^A", "mnuFileExit|&Exit"}));
  EXPECT_EQ(BarItems(m, bar[1]),
            (std::vector<std::string>{"&Information", "mnuInfoFleets|Show Position of Traveling Fleets|^T",
                                      "mnuInfoLabels|Show World Labels|^L",
                                      "mnuInfoStatus|Show Status of Solar System",
                                      "mnuInfoHigh|Show High Scores"}));
  EXPECT_EQ(BarItems(m, bar[2]),
            (std::vector<std::string>{
                "&Options", "mnuOptionsBattle|Offensive Battle Mode",
                "mnuOptionsShield|Ships Do Not Travel with Shields", "mnuOptionsTruce|No Battle Truce",
                "mnuOptionsProd|Maximum World Production", "mnuOptionsTreas|World Treasures",
                "mnuOptionsGath|Maximum Gather/Scout Turns", "mnuOptionsRadar|Home World Radar On",
                "mnuLine5", "mnuOptionsSound|Turn Sound Off|^D", "mnuOptionsSpeed|Turn Speed Game On|^G",
                "mnuOptionsLabels|Turn World Labels Off|^W", "mnuOptionsShips|Turn World Ship Labels Off|^H",
                "mnuOptionsFleets|Turn Traveling Fleets Off|^F", "mnuOptionsTurn|Turn Timer Off|^O",
                "mnuOptionsPause|Pause Game|^P"}));
  EXPECT_EQ(BarItems(m, bar[3]),
            (std::vector<std::string>{
                "&Help", "mnuHelpZarnath|Zarnath Help", "mnuline8", "mnuHelpWeb|Zarnath Web Site",
                "mnuHelpFAQ|Zarnath FAQ", "mnuHelpMessage|Message Board", "mnuHelpChat|Chat Room",
                "mnuHelpBug|Submit Bug Report", "mnuLine3", "mnuHelpAbout|About Zarnath"}));
  // The game settings, above the Options menu's line, do nothing when chosen.
  for (const MenuEntry& e : bar[2].items) {
    if (!e.item) break;
    EXPECT_EQ(e.command, MenuCommand::kNone) << e.name;
  }
  EXPECT_FALSE(m.mnuCommand.Visible);
  EXPECT_FALSE(m.mnuFileAutoSave.Checked);
}

TEST(MenuBar, WebAndMailItemsOpenAddressesOfTheGamesOwn) {
  for (MenuCommand c :
       {MenuCommand::kHelpWeb, MenuCommand::kHelpFAQ, MenuCommand::kHelpMessage, MenuCommand::kHelpChat})
    EXPECT_EQ(HelpAddress(c).rfind("https://zarnath.example/", 0), 0u);
  EXPECT_EQ(HelpAddress(MenuCommand::kHelpBug),
            "mailto:bugs@zarnath.example?subject=Zarnath%20v1.40.0143%20Bug%20Report");
  EXPECT_EQ(HelpAddress(MenuCommand::kHelpAbout), "");
}

struct Switching {
  void (*click)(Game&);
  MenuItem GameMenus::*item;
  std::vector<std::string> captions;  // after the first and the second choice
  std::vector<std::string> notices;
};

TEST(OptionSwitches, EachChoiceWritesTheOtherCaptionAndItsNoticeInCyan) {
  const Switching switches[] = {
      {mnuOptionsSpeed_Click,
       &GameMenus::mnuOptionsSpeed,
       {"Turn Speed Game Off", "Turn Speed Game On"},
       {"- Speed Game Now On -", "- Speed Game Now Off -"}},
      {mnuOptionsLabels_Click,
       &GameMenus::mnuOptionsLabels,
       {"Turn World Labels On", "Turn World Labels Off"},
       {"- World Labels Now Off -", "- World Labels Now On -"}},
      {mnuOptionsShips_Click,
       &GameMenus::mnuOptionsShips,
       {"Turn World Ship Labels On", "Turn World Ship Labels Off"},
       {"- World Ship Labels Now Off -", "- World Ship Labels Now On -"}},
      {mnuOptionsTurn_Click,
       &GameMenus::mnuOptionsTurn,
       {"Turn Timer On", "Turn Timer Off"},
       {"- Turn Timer Now Off -", "- Turn Timer Now On -"}},
  };
  for (const Switching& s : switches) {
    EngineGame f("AB..");
    Game& g = f.game;
    for (int i = 0; i < 2; ++i) {
      g.window.txtGame = {"old", kPlayerColors[2]};
      f.ports.Clear();
      s.click(g);
      EXPECT_EQ((g.menus.*s.item).Caption, s.captions[i]);
      EXPECT_EQ(g.window.txtGame.Text, s.notices[i]);
      EXPECT_EQ(g.window.txtGame.ForeColor, kNeutralColor);
      EXPECT_EQ(f.ports.Count("Sound gameinfo.wav"), 1) << s.notices[i];
      // Only the ship labels redraw the galaxy, after the sound.
      const bool ships = s.item == &GameMenus::mnuOptionsShips;
      EXPECT_EQ(f.ports.Has("GalaxyDraw") && f.Index("GalaxyDraw") > f.Index("Sound gameinfo.wav"), ships)
          << s.notices[i];
      EXPECT_EQ(f.Index("Refresh txtGame") < f.Index("Sound gameinfo.wav"), true);
    }
    EXPECT_FALSE(g.SpeedGame);
  }
  EngineGame f("AB..");
  mnuOptionsSpeed_Click(f.game);
  EXPECT_TRUE(f.game.SpeedGame);
}

TEST(OptionSwitches, SoundOffPlaysOnceThenSilencesAndSoundOnPlaysNothing) {
  EngineGame f("AB..");
  Game& g = f.game;
  mnuOptionsSound_Click(g);
  EXPECT_TRUE(g.SoundOff);
  EXPECT_EQ(g.menus.mnuOptionsSound.Caption, "Turn Sound On");
  EXPECT_EQ(f.ports.calls, (std::vector<std::string>{"Refresh txtGame", "Sound gameinfo.wav"}));
  EXPECT_EQ(g.window.txtGame.Text, "- Game Sounds Now Off -");
  f.ports.Clear();
  mnuOptionsSpeed_Click(g);  // silent now
  mnuOptionsSound_Click(g);
  EXPECT_FALSE(g.SoundOff);
  EXPECT_EQ(g.menus.mnuOptionsSound.Caption, "Turn Sound Off");
  EXPECT_EQ(f.ports.Count("Sound gameinfo.wav"), 0);
  EXPECT_EQ(g.window.txtGame.Text, "- Game Sounds Now On -");
}

TEST(OptionSwitches, TheTurnTimerPausesAndResumesWithTheMinutesTheTurnGaveIt) {
  EngineGame f("AB..");
  Game& g = f.game;
  GameCheck(g);  // the first turn is timed: 3 minutes
  auto tick = [&](GameTimer t) { TimerTick(g, t); };
  ASSERT_TRUE(f.ports.FireNextTimer(tick));
  EXPECT_EQ(g.TurnMinutesLeft, 2);
  mnuOptionsTurn_Click(g);
  EXPECT_FALSE(f.ports.TimerEnabled(GameTimer::kTurn));
  EXPECT_FALSE(g.TurnTimerEnabled);
  EXPECT_FALSE(f.ports.FireNextTimer(tick));
  mnuOptionsTurn_Click(g);
  EXPECT_TRUE(f.ports.Has("Timer tmrTurn on 60000"));
  EXPECT_EQ(g.TurnMinutesLeft, 2);
  ASSERT_TRUE(f.ports.FireNextTimer(tick));
  EXPECT_EQ(g.TurnMinutesLeft, 1);
  // After Done no timer is armed: switching the option off and on again starts none.
  SetSwitch(g, Switch::kTurnTimer, false);
  EndSeatTurn(g);
  ASSERT_EQ(g.CurrentPlayer, 1);
  EXPECT_FALSE(g.TurnTimerEnabled);  // Bob's turn began with the option off
  mnuOptionsTurn_Click(g);
  EXPECT_EQ(g.menus.mnuOptionsTurn.Caption, "Turn Timer Off");
  EXPECT_FALSE(f.ports.TimerEnabled(GameTimer::kTurn));
}

TEST(OptionSwitches, InANetworkGameTheTurnTimerAndPauseOnlyTurnTheLineCyan) {
  EngineGame f("AB..");
  Game& g = f.game;
  f.Host(1);
  GameCheck(g);
  g.window.txtGame = {"x", kPlayerColors[1]};
  f.ports.Clear();
  mnuOptionsTurn_Click(g);
  mnuOptionsPause_Click(g);
  EXPECT_TRUE(f.ports.calls.empty());
  EXPECT_EQ(g.menus.mnuOptionsTurn.Caption, "Turn Timer Off");
  EXPECT_EQ(g.window.txtGame.Text, "x");
  EXPECT_EQ(g.window.txtGame.ForeColor, kNeutralColor);
  EXPECT_TRUE(g.TurnTimerEnabled);
}

TEST(Pause, AtOneComputerTheBoxHoldsTheTurnClock) {
  EngineGame f("AB..");
  Game& g = f.game;
  GameCheck(g);
  f.ports.Clear();
  mnuOptionsPause_Click(g);
  EXPECT_EQ(f.ports.calls, (std::vector<std::string>{"Timer tmrTurn off 60000",
                                                     "MessageBox Zarnath: Game Paused.  To Resume, Click OK",
                                                     "Timer tmrTurn on 60000"}));
  SetSwitch(g, Switch::kTurnTimer, false);
  mnuOptionsTurn_Click(g);  // switched on again: the clock runs
  mnuOptionsTurn_Click(g);  // and off: paused, the box leaves it so
  f.ports.Clear();
  mnuOptionsPause_Click(g);
  EXPECT_EQ(f.ports.calls,
            (std::vector<std::string>{"MessageBox Zarnath: Game Paused.  To Resume, Click OK"}));
}

TEST(AutoSave, CheckCaptionAndYearChangeTogether) {
  EngineGame f("AB..");
  Game& g = f.game;
  f.AtTurn(7);
  mnuFileAutoSave_Click(g);
  EXPECT_TRUE(g.menus.mnuFileAutoSave.Checked);
  EXPECT_EQ(g.menus.mnuFileAutoSave.Caption, "AutoSave On");
  EXPECT_EQ(g.AutoSaveYear, g.GameYear);
  mnuFileAutoSave_Click(g);
  EXPECT_FALSE(g.menus.mnuFileAutoSave.Checked);
  EXPECT_EQ(g.menus.mnuFileAutoSave.Caption, "AutoSave Off");
  EXPECT_EQ(g.AutoSaveYear, 0.0f);
  EXPECT_TRUE(f.ports.calls.empty());
}

// A game in a scratch program folder, Ann against a computer player in seat 3.
struct StartedGame : EngineGame {
  testing::ScratchFolder folder;
  StartedGame() : EngineGame("A..3") { game.programFolder = folder.path(); }
};

TEST(GameStartMends, SoundAndAutoSaveAgreeWithTheirItemsAfterAStart) {
  for (bool autoSave : {false, true}) {
    StartedGame f;
    Game& g = f.game;
    f.AtTurn(30);
    SetAutoSave(g, autoSave);
    g.AutoSaveYear = 9;  // a stale year of the last game
    mnuOptionsSound_Click(g);
    ASSERT_TRUE(g.SoundOff);
    imgStart_Click(g);
    EXPECT_FALSE(g.SoundOff);
    EXPECT_EQ(g.menus.mnuOptionsSound.Caption, "Turn Sound Off");
    EXPECT_EQ(g.menus.mnuFileAutoSave.Checked, autoSave);
    EXPECT_EQ(g.menus.mnuFileAutoSave.Caption, autoSave ? "AutoSave On" : "AutoSave Off");
    EXPECT_EQ(g.AutoSaveYear, autoSave ? 1.0f : 0.0f);
  }
}

TEST(GameStartMends, ALoadKeepsSoundWithItsCaptionAndCountsAutoSaveFromTheLoadedYear) {
  testing::ScratchFolder folder;
  testing::TestGame saved;
  testing::MakeMidGame(saved, false);
  saved.g().GameYear = 1.55f;
  const std::string path = folder.File("game.zq");
  ASSERT_TRUE(WriteSavedGame(saved.g(), path));
  for (bool soundOff : {false, true}) {
    testing::TestGame t;
    Game& g = t.g();
    g.GameYear = 4.0f;
    SetAutoSave(g, true);
    g.SoundOff = soundOff;  // the caption says the other
    g.menus.mnuOptionsSound.Caption = soundOff ? "Turn Sound Off" : "Turn Sound On";
    ASSERT_EQ(LoadSavedGame(g, path), LoadOutcome::kLoaded);
    EXPECT_EQ(g.SoundOff, soundOff);
    EXPECT_EQ(g.menus.mnuOptionsSound.Caption, soundOff ? "Turn Sound On" : "Turn Sound Off");
    EXPECT_TRUE(g.menus.mnuFileAutoSave.Checked);
    EXPECT_EQ(g.AutoSaveYear, 1.55f);
  }
}

TEST(NewGameQuestions, NoChangesNothing) {
  using Click = bool (*)(Game&);
  const std::pair<Click, const char*> questions[] = {
      {mnuFileNew_Click,
       "MessageBox Start New Game: You will lose all existing game data, do you want to proceed?"},
      {mnuFileNewSS_Click,
       "MessageBox Create New Solar System: You will lose all existing game data, do you want to proceed?"},
      {ImgQuit_Click, "MessageBox Zarnath: Are You Sure You Want To Quit?"},
      {Form_QueryUnload, "MessageBox Zarnath: Are You Sure You Want To Quit?"}};
  for (bool network : {false, true}) {
    for (const auto& [click, box] : questions) {
      StartedGame f;
      Game& g = f.game;
      if (network) f.Host(1);
      GameCheck(g);
      const std::string before = SavedGameText(g);
      const GameMenus menus = g.menus;
      f.ports.Clear();
      f.ports.answers = {Answer::kNo};
      EXPECT_FALSE(click(g));
      EXPECT_EQ(f.ports.calls, std::vector<std::string>{box});
      EXPECT_EQ(SavedGameText(g), before);
      EXPECT_FALSE(g.window.Visible);
      EXPECT_TRUE(g.TurnTimerEnabled);
      EXPECT_FALSE(g.window.SetupVisible);
      EXPECT_EQ(g.menus.mnuFileAutoSave.Caption + g.menus.mnuOptionsTurn.Caption,
                menus.mnuFileAutoSave.Caption + menus.mnuOptionsTurn.Caption);
    }
  }
}

TEST(NewGameQuestions, YesAtOneComputerClearsTheGameStopsItsClocksAndReturnsToSetup) {
  StartedGame f;
  Game& g = f.game;
  GameCheck(g);
  g.window.Visible = true;
  f.ports.Clear();
  EXPECT_TRUE(mnuFileNew_Click(g));
  EXPECT_TRUE(f.ports.Has("ReturnToSetup"));
  EXPECT_FALSE(f.ports.Has("GameCheck"));
  EXPECT_TRUE(g.PlayerName[0].empty());
  EXPECT_EQ(g.WorldOwner[8], 0);
  EXPECT_FALSE(g.window.Visible);
  EXPECT_TRUE(g.window.SetupVisible);
  EXPECT_FALSE(f.ports.TimerEnabled(GameTimer::kTurn));
  EXPECT_FALSE(f.ports.TimerEnabled(GameTimer::kAI));
  EXPECT_FALSE(f.ports.FireNextTimer([](GameTimer) {}));
}

TEST(NewGameQuestions, YesToANewSolarSystemOrANetworkNewGameStartsAGalaxyWithTheSamePlayers) {
  for (bool network : {false, true}) {
    for (auto click : {mnuFileNewSS_Click, mnuFileNew_Click}) {
      if (!network && click == mnuFileNew_Click) continue;
      StartedGame f;
      Game& g = f.game;
      if (network) f.Host(1), g.setup.chkLan = 1;
      f.AtTurn(12);
      EXPECT_TRUE(click(g));
      EXPECT_EQ(g.GameYear, 1.0f);
      EXPECT_TRUE(f.ports.Has("GameCheck"));
      EXPECT_FALSE(f.ports.Has("ReturnToSetup"));
      EXPECT_EQ(g.PlayerName[0], "Ann");
      EXPECT_EQ(f.ports.Has("GalaxySync"), network);
    }
  }
}

// Clocks as the window runs them: arming a clock that already runs at that interval leaves its
// count alone, so a turn's clock starts afresh only once it was stopped.
struct WindowClocks : HeadlessPorts {
  void SetTimer(GameTimer timer, int intervalMs, bool enabled) override {
    if (enabled && TimerEnabled(timer) && timers[timer].intervalMs == intervalMs) return;
    HeadlessPorts::SetTimer(timer, intervalMs, enabled);
  }
};

// Ann and Bob at one computer with the turn timer on: 40 seconds into Ann's first minute she
// resets the solar system. The new game's first turn has its whole minute, its clock started as
// the turn opened, and its first tick a minute after that counts down the turn's own minutes.
TEST(NewGameQuestions, ANewSolarSystemGivesItsFirstTurnAWholeMinute) {
  testing::ScratchFolder folder;
  WindowClocks ports;
  Game g{ports.ports()};
  ports.onGameCheck = [&g] { GameCheck(g); };
  g.programFolder = folder.path();
  g.random.Seed(3);
  g.setup.txtPL = {"Ann", "Bob", "", ""};
  g.setup.txtPlanets = "16";
  imgStart_Click(g);
  ASSERT_TRUE(ports.TimerEnabled(GameTimer::kTurn));
  ports.nowMs += 40000;
  ports.answers = {Answer::kYes};
  ASSERT_TRUE(mnuFileNewSS_Click(g));
  ASSERT_EQ(g.CurrentPlayer, 0);
  EXPECT_EQ(g.TurnMinutesLeft, 3);
  EXPECT_EQ(ports.timers[GameTimer::kTurn].dueMs, 100000);
  GameTimer fired{};
  ASSERT_TRUE(ports.FireNextTimer([&](GameTimer t) {
    fired = t;
    TimerTick(g, t);
  }));
  EXPECT_EQ(fired, GameTimer::kTurn);
  EXPECT_EQ(ports.nowMs, 100000);
  EXPECT_EQ(g.TurnMinutesLeft, 2);
}

TEST(Quit, YesEndsTheProgram) {
  EngineGame f("AB..");
  EXPECT_TRUE(ImgQuit_Click(f.game));
  EXPECT_TRUE(f.ports.programEnded);
  EngineGame close("AB..");
  EXPECT_TRUE(Form_QueryUnload(close.game));
  EXPECT_FALSE(close.ports.programEnded);
}

TEST(Resize, MinimisingAtOneComputerHoldsTheTurnClockAndRestoringLetsItGoOn) {
  EngineGame f("AB..");
  Game& g = f.game;
  GameCheck(g);
  f.ports.Clear();
  EXPECT_FALSE(Form_Resize(g, true));
  EXPECT_EQ(f.ports.calls,
            (std::vector<std::string>{"Refresh window", "GalaxyDraw", "Timer tmrTurn off 60000"}));
  EXPECT_FALSE(Form_Resize(g, false));
  EXPECT_TRUE(g.TurnTimerEnabled);
  f.ports.Clear();
  Form_Resize(g, false);  // a resize of a running clock does not restart its minute
  EXPECT_EQ(f.ports.Count("Timer tmrTurn on 60000"), 0);
  // With the option off, restoring leaves the clock stopped.
  mnuOptionsTurn_Click(g);
  Form_Resize(g, true);
  Form_Resize(g, false);
  EXPECT_FALSE(g.TurnTimerEnabled);
  // Restoring while no turn is timed (after Done) starts no clock.
  mnuOptionsTurn_Click(g);
  SetSwitch(g, Switch::kTurnTimer, false);
  EndSeatTurn(g);  // Bob's turn is not timed
  SetSwitch(g, Switch::kTurnTimer, true);
  Form_Resize(g, true);
  Form_Resize(g, false);
  EXPECT_FALSE(f.ports.TimerEnabled(GameTimer::kTurn));
}

TEST(Resize, ANetworkGameMinimisedHidesTheDialogsAndKeepsItsClockAndAnUnlaidWindowOnlyRepaints) {
  EngineGame f("AB..");
  Game& g = f.game;
  f.Host(1);
  GameCheck(g);
  f.ports.Clear();
  EXPECT_TRUE(Form_Resize(g, true));
  EXPECT_FALSE(Form_Resize(g, false));
  EXPECT_TRUE(g.TurnTimerEnabled);
  EXPECT_EQ(f.ports.Count("GalaxyDraw"), 2);
  EXPECT_TRUE(f.Calls("Timer").empty());
  testing::TestGame fresh;
  Form_Resize(fresh.g(), false);
  EXPECT_EQ(fresh.ports.calls, (std::vector<std::string>{"Refresh window"}));
}

TEST(MenuCommands, ItemsRunOnlyWhileTheirMenuIsEnabledAndHandTheWindowsPartToItsHooks) {
  EngineGame f("AB..");
  Game& g = f.game;
  std::vector<std::string> hooked;
  MenuHooks hooks;
  hooks.showSaveDialog = [&] { hooked.push_back("save"); };
  hooks.showAbout = [&] { hooked.push_back("about"); };
  hooks.openAddress = [&](const std::string& a) { hooked.push_back(a); };
  RunMenuCommand(g, MenuCommand::kFileSave, hooks);
  RunMenuCommand(g, MenuCommand::kHelpFAQ, hooks);
  RunMenuCommand(g, MenuCommand::kHelpAbout, hooks);
  RunMenuCommand(g, MenuCommand::kInfoLabels, hooks);  // no hook given: nothing
  EXPECT_EQ(hooked, (std::vector<std::string>{"save", HelpAddress(MenuCommand::kHelpFAQ), "about"}));
  EXPECT_EQ(f.ports.calls, std::vector<std::string>{"Pause 3000"});
  hooks.showHighScores = [&] { hooked.push_back("scores"); };
  RunMenuCommand(g, MenuCommand::kInfoHigh, hooks);
  EXPECT_EQ(hooked.back(), "scores");
  // Ctrl+F is the Travel button's switch; the Information menu's status is the Status button's.
  RunMenuCommand(g, MenuCommand::kOptionsFleets, hooks);
  EXPECT_TRUE(g.HideFleets);
  EXPECT_EQ(g.menus.mnuOptionsFleets.Caption, "Turn Traveling Fleets On");
  RunMenuCommand(g, MenuCommand::kInfoStatus, hooks);
  EXPECT_TRUE(g.window.lblPlanet.Visible);
  // While a turn is resolved the menus are locked: a shortcut does nothing either.
  SetMenusEnabled(g, false);
  f.ports.Clear();
  for (MenuCommand c : {MenuCommand::kOptionsSound, MenuCommand::kFileAutoSave, MenuCommand::kFileSave,
                        MenuCommand::kOptionsFleets})
    RunMenuCommand(g, c, hooks);
  EXPECT_TRUE(f.ports.calls.empty());
  EXPECT_FALSE(g.SoundOff);
  EXPECT_FALSE(g.menus.mnuFileAutoSave.Checked);
  EXPECT_TRUE(g.HideFleets);
  EXPECT_EQ(hooked.size(), 4u);
  SetMenusEnabled(g, true);
  g.menus.mnuFileNewSS.Enabled = false;  // a client's Reset Solar System
  RunMenuCommand(g, MenuCommand::kFileNewSS, hooks);
  EXPECT_TRUE(f.ports.calls.empty());
  RunMenuCommand(g, MenuCommand::kOptionsSound, hooks);
  EXPECT_TRUE(g.SoundOff);
}

TEST(HelpButton, OpensTheHelpAndInANetworkGameReturnsTheFocusToTheChat) {
  for (bool network : {false, true}) {
    EngineGame f("AB..");
    if (network) f.Host(1);
    int shown = 0;
    ImgHelp_Click(f.game, [&] { ++shown; });
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(f.ports.Has("Focus txtMessage"), network);
  }
}

}  // namespace
}  // namespace zarnath
