// The game window's own life as the rules see it: the quit question, what a minimise or a restore
// does to the turn timer of a game at one computer, and which image buttons stay inert while the
// window is busy.
#pragma once

namespace zarnath {
class Game;
struct GameState;

inline constexpr char kQuitQuestion[] = "Are You Sure You Want To Quit?";
inline constexpr char kQuitTitle[] = "Zarnath";

// The Quit button and the window's close box: a Yes/No question; true on Yes.
bool ConfirmQuit(Game& g);

// The turn timer across a minimise: a game at one computer stops a running turn clock while the
// window is minimised and lets it go on when the window comes back, while the turn-timer option is
// on. Only a clock the minimise stopped is started again, so a restore never starts a clock the
// turn did not arm (during a turn's resolution, or after Done). A network game's clock runs on.
struct TurnTimerPause {
  bool paused = false;  // the minimise stopped a running clock
};
enum class TimerChange { kNone, kStop, kStart };
TimerChange TurnTimerOnResize(const GameState& g, bool minimised, bool clockRunning, TurnTimerPause& pause);
// The interval the turn clock runs with.
inline constexpr int kTurnTimerInterval = 60000;
// Whether the turn-timer option is on (its menu item offers to switch it off).
bool TurnTimerOptionOn(const GameState& g);

// The game window's image buttons.
enum class MainButton { kLabels, kTravel, kDone, kHelp, kStatus, kQuit, kSend };
// Travel, Done and Status show no pressed face and play no click while input is busy.
bool ButtonInertWhileBusy(MainButton button);

}  // namespace zarnath
