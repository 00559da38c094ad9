#include "engine/window_life.h"

#include <gtest/gtest.h>

#include "fixtures/test_game.h"

namespace zarnath {
namespace {

TEST(WindowLife, QuitAsksYesOrNo) {
  testing::TestGame t;
  t.ports.answers = {Answer::kNo, Answer::kYes};
  EXPECT_FALSE(ConfirmQuit(t.g()));
  EXPECT_TRUE(ConfirmQuit(t.g()));
  EXPECT_TRUE(t.ports.Has("MessageBox Zarnath: Are You Sure You Want To Quit?"));
}

// A minimise stops a running turn clock at one computer; the restore starts it again only while
// the option is on and only when the minimise stopped it.
TEST(WindowLife, MinimiseStopsTheTurnClockAndTheRestoreStartsWhatItStopped) {
  struct Case {
    bool network, running, optionOn, resolving;
    TimerChange onMinimise, onRestore;
  };
  const Case cases[] = {
      {false, true, true, false, TimerChange::kStop, TimerChange::kStart},
      {false, true, false, false, TimerChange::kStop, TimerChange::kNone},  // option switched off meanwhile
      {false, false, true, false, TimerChange::kNone, TimerChange::kNone},  // no clock armed this turn
      {false, true, true, true, TimerChange::kStop, TimerChange::kNone},    // restored while a turn resolves
      {true, true, true, false, TimerChange::kNone, TimerChange::kNone},    // a network game's clock runs on
  };
  for (const Case& c : cases) {
    testing::TestGame t;
    GameState& g = t.g();
    g.NetworkGame = c.network;
    TurnTimerPause pause;
    EXPECT_EQ(TurnTimerOnResize(g, true, c.running, pause), c.onMinimise);
    g.menus.mnuOptionsTurn.Caption = c.optionOn ? "Turn Timer Off" : "Turn Timer On";
    g.TurnResolving = c.resolving;
    EXPECT_EQ(TurnTimerOnResize(g, false, false, pause), c.onRestore);
    EXPECT_FALSE(pause.paused);
    EXPECT_EQ(TurnTimerOnResize(g, false, false, pause), TimerChange::kNone);  // a second restore
  }
}

TEST(WindowLife, OnlyTravelDoneAndStatusAreInertWhileBusy) {
  for (MainButton b : {MainButton::kLabels, MainButton::kHelp, MainButton::kQuit, MainButton::kSend})
    EXPECT_FALSE(ButtonInertWhileBusy(b));
  for (MainButton b : {MainButton::kTravel, MainButton::kDone, MainButton::kStatus})
    EXPECT_TRUE(ButtonInertWhileBusy(b));
}

}  // namespace
}  // namespace zarnath
