// The Done button, the host's end-of-turn count and the turn timer.
#include "engine/chat.h"
#include "engine/event_audience.h"
#include "engine/event_notices.h"
#include "engine/net_send.h"
#include "engine/turn.h"
#include "engine/turn_show.h"
#include "model/click_rules.h"
#include "model/game.h"
#include "model/numbers.h"

namespace zarnath {
namespace {

// How often a step that waits for the top of the event loop looks again.
constexpr int kWaitingStepMs = 10;

void WaitForTopOfLoop(Game& g) {
  g.io.platform.SetTimer(GameTimer::kStepsWaiting, kWaitingStepMs, true);
}

}  // namespace

void SetTurnTimer(Game& g, int intervalMs, bool enabled) {
  g.TurnTimerInterval = intervalMs;
  g.TurnTimerEnabled = enabled && intervalMs > 0;
  g.io.platform.SetTimer(GameTimer::kTurn, intervalMs, g.TurnTimerEnabled);
}

void StopTurnTimer(Game& g) {
  SetTurnTimer(g, 0, false);
}

void ReleaseAbandonedGame(Game& g) {
  StopTurnTimer(g);
  g.io.platform.SetTimer(GameTimer::kAI, 10, false);
  g.io.platform.SetTimer(GameTimer::kStepsWaiting, 0, false);
  g.DoneWaiting = g.TurnEndWaiting = false;
  g.InputBusy = g.TurnResolving = g.TurnDone = false;
  SetMenusEnabled(g, true);
  g.window.txtMove.Busy = false;
}

std::string WaitingListText(const GameState& g) {
  std::string names;
  for (int q = 0; q < kSeats; ++q) {
    if (g.SeatStatus[static_cast<size_t>(q)] != TurnStatus::kTakingTurn) continue;
    names += (names.empty() ? "" : " & ") + g.PlayerName[static_cast<size_t>(q)];
  }
  return names.empty() ? std::string() : "- Waiting on " + names + " -";
}

int HostFinishedSeats(Game& g) {
  const int sockets = g.io.net.SocketCount();
  int count = SeatFinished(g, 0) ? 1 : 0;
  for (int i = 1; i < sockets; ++i) {
    // Each seat counts once, whatever the reason it has finished.
    const bool finished =
        i >= kSeats || !SeatLinked(g, i) || g.PlayerGone[static_cast<size_t>(i)] || SeatFinished(g, i);
    if (finished) ++count;
  }
  return count;
}

bool HostEndTurnIfAllDone(Game& g) {
  if (!IsNetworkHost(g) || HostFinishedSeats(g) < g.io.net.SocketCount()) return false;
  if (g.io.platform.InsideYield()) {
    g.TurnEndWaiting = true;
    WaitForTopOfLoop(g);
    return false;
  }
  g.TurnEndWaiting = false;
  Tell(g, turn_event::AllSeatsDone{});
  // As at a game's start: what the clients send meanwhile (the next turn's Done of a client
  // that opened it first, a chat line) waits until this machine's next turn is open.
  g.io.net.HoldClientFrames(true);
  EndTurn(g);
  g.io.net.HoldClientFrames(false);
  return true;
}

void EndSeatTurn(Game& g) {
  const int cp = g.CurrentPlayer;
  const bool seatValid = cp >= 0 && cp < kSeats;
  const TurnStatus status = seatValid ? g.SeatStatus[static_cast<size_t>(cp)] : TurnStatus::kNone;
  const bool refused =
      !seatValid || g.InputBusy || status == TurnStatus::kEliminated || status == TurnStatus::kDoneTurn;
  if (!refused && g.NetworkGame && g.io.platform.InsideYield()) {
    // Pressed while another step yields: this Done's sends would fall between that step's.
    g.DoneWaiting = true;
    WaitForTopOfLoop(g);
    return;
  }
  if (!refused) {
    StopTurnTimer(g);
    g.window.txtGame.Text.clear();
    if (!g.NetworkGame) {
      ++g.CurrentPlayer;
      GameCheck(g);
      return;
    }
    if (!g.TurnDone) {
      g.TurnDone = true;
      g.SeatStatus[static_cast<size_t>(cp)] = TurnStatus::kDoneTurn;
      const std::string waiting = WaitingListText(g);
      if (!waiting.empty()) {
        ShowNotice(g, kNeutralColor, waiting);
        EventSound(g, "gameinfo.wav");
      }
      Tell(g, turn_event::SeatDone{cp});
      // The host's turn may have ended and the next opened while the Done's status went out.
      if (!g.TurnDone) return;
      if (IsNetworkHost(g) && HostEndTurnIfAllDone(g)) return;
      g.window.Caption = SeatCaption(g, " (Done Turn)");
      g.io.screen.Refresh(Control::kWindow);
    }
  }
  if (g.NetworkGame) g.io.screen.Focus(Control::kTxtMessage);
}

void RunWaitingSteps(Game& g) {
  if (g.io.platform.InsideYield()) return;  // the timer stays armed and looks again
  g.io.platform.SetTimer(GameTimer::kStepsWaiting, 0, false);
  if (g.DoneWaiting) {
    g.DoneWaiting = false;
    EndSeatTurn(g);
  }
  if (g.TurnEndWaiting && !g.TurnResolving) HostEndTurnIfAllDone(g);
}

void ReopenSeatTurn(Game& g) {
  const int cp = g.CurrentPlayer;
  if (cp < 0 || cp >= kSeats) return;
  g.TurnDone = false;
  g.DoneWaiting = false;
  g.SeatStatus[static_cast<size_t>(cp)] = TurnStatus::kTakingTurn;
  g.window.Caption = SeatCaption(g);
  g.io.screen.Refresh(Control::kLblStatus);
  g.io.screen.Refresh(Control::kWindow);
  if (HasOpponents(g) && g.TurnTimerOn) {
    if (g.TurnMinutesLeft < 1) g.TurnMinutesLeft = 1;
    SetTurnTimer(g, 60000, true);
  }
}

void TurnTimerTick(Game& g) {
  g.TurnMinutesLeft = static_cast<int16_t>(g.TurnMinutesLeft - 1);
  g.window.txtGame.ForeColor = kNeutralColor;
  if (g.TurnMinutesLeft < 1) {
    ShowNotice(g, kNeutralColor, "- Your Turn Is Now Over! -");
    g.io.platform.Pause(1000);
    EndSeatTurn(g);
    return;
  }
  if (g.TurnMinutesLeft == 1) {
    ShowNotice(g, kNeutralColor, "- Less Than " + Str(1) + " Minute Left Until Turn Over! -");
    if (!g.SoundOff) g.io.platform.PlaySound("timer.wav");
  } else {
    ShowNotice(g, kNeutralColor,
               "- " + Str(static_cast<int>(g.TurnMinutesLeft)) + " Minutes Left Until Turn Over! -");
    if (!g.SoundOff) g.io.platform.PlaySound("gameinfo.wav");
  }
  SetTurnTimer(g, 60000, true);
}

void TimerTick(Game& g, GameTimer timer, const std::function<void()>& aiTick) {
  switch (timer) {
    case GameTimer::kTurn:
      TurnTimerTick(g);
      break;
    case GameTimer::kAI:
      if (aiTick) {
        aiTick();
      } else {
        g.io.platform.SetTimer(GameTimer::kAI, 10, false);
        EndSeatTurn(g);
      }
      break;
    case GameTimer::kChatLock:
      ChatLockEnds(g);
      break;
    case GameTimer::kStepsWaiting:
      RunWaitingSteps(g);
      break;
    default:
      break;
  }
}

}  // namespace zarnath
