#include "engine/window_life.h"

#include "model/game.h"

namespace zarnath {

bool ConfirmQuit(Game& g) {
  return g.io.platform.MessageBox(kQuitQuestion, kQuitTitle, Buttons::kYesNo) == Answer::kYes;
}

bool TurnTimerOptionOn(const GameState& g) {
  return g.menus.mnuOptionsTurn.Caption == "Turn Timer Off";
}

TimerChange TurnTimerOnResize(const GameState& g, bool minimised, bool clockRunning, TurnTimerPause& pause) {
  if (g.NetworkGame) return TimerChange::kNone;
  if (minimised) {
    if (!clockRunning) return TimerChange::kNone;
    pause.paused = true;
    return TimerChange::kStop;
  }
  const bool resume = pause.paused && TurnTimerOptionOn(g) && !g.TurnResolving && !g.GameOver;
  pause.paused = false;
  return resume ? TimerChange::kStart : TimerChange::kNone;
}

bool ButtonInertWhileBusy(MainButton button) {
  return button == MainButton::kTravel || button == MainButton::kDone || button == MainButton::kStatus;
}

}  // namespace zarnath
