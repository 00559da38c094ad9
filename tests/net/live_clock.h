// Recording ports whose clock runs: the game's timers tick on the event loop and, when asked,
// pauses block as the window's do, so players who press Done a few hundred milliseconds apart
// meet the host where the window would be.
#pragma once

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "engine/turn.h"
#include "headless/headless_ports.h"
#include "model/game.h"

namespace zarnath::testing {

class LiveClockPorts : public HeadlessPorts {
 public:
  LiveClockPorts() { clock_.start(); }
  // The game whose timers tick here (set once it is made).
  Game* game = nullptr;
  // Pauses block the whole process for their time; off, they take none.
  bool realPauses = false;

  // Runs at the start of every pause: a test's watch can see a window held without yielding.
  std::function<void()> onPause;

  void Pause(int ms) override {
    HeadlessPorts::Pause(ms);
    if (onPause) onPause();
    if (realPauses && ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
  }
  int64_t NowMs() override { return clock_.elapsed(); }
  // The frames of the turn's show take no time: only a step's own pauses hold the process.
  void PauseUntil(int64_t untilMs) override {
    HeadlessPorts::Pause(static_cast<int>(untilMs - clock_.elapsed()));
  }
  void SetTimer(GameTimer timer, int intervalMs, bool enabled) override {
    HeadlessPorts::SetTimer(timer, intervalMs, enabled);
    std::unique_ptr<QTimer>& t = live_[timer];
    if (!t) {
      t = std::make_unique<QTimer>();
      QObject::connect(t.get(), &QTimer::timeout, [this, timer] {
        if (game) TimerTick(*game, timer);
      });
    }
    if (!enabled || intervalMs <= 0)
      t->stop();
    else if (!t->isActive() || t->interval() != intervalMs)
      t->start(intervalMs);
  }

 private:
  QElapsedTimer clock_;
  std::map<GameTimer, std::unique_ptr<QTimer>> live_;
};

}  // namespace zarnath::testing
