// The game's platform on the desktop: pauses that show what was drawn, yields to the event
// loop, wave sounds played to their end, message boxes with the game's titles, the game's
// timers, the help viewer and web and mail addresses.
//
// Tests answer the message boxes from a script instead of showing them, and read back every
// box, sound and help request.
#pragma once

#include <QObject>
#include <QString>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/ports.h"
#include "shell/wave_player.h"

class QTimer;

namespace zarnath {

class HelpViewer;

class DesktopPlatform : public QObject, public Platform {
  Q_OBJECT

 public:
  DesktopPlatform();
  ~DesktopPlatform() override;
  DesktopPlatform(const DesktopPlatform&) = delete;
  DesktopPlatform& operator=(const DesktopPlatform&) = delete;

  // Platform
  void Pause(int ms) override;
  int64_t NowMs() override;
  void PauseUntil(int64_t untilMs) override;
  void Yield() override;
  bool InsideYield() override { return yieldDepth_ > 0; }
  void PlaySound(const std::string& file) override;
  Answer MessageBox(const std::string& text, const std::string& title, Buttons buttons) override;
  void SetTimer(GameTimer timer, int intervalMs, bool enabled) override;

  // What runs when a timer ticks (the window that owns the timer sets it).
  void SetTimerHandler(GameTimer timer, std::function<void()> handler);
  bool TimerEnabled(GameTimer timer) const;

  // Opens the help file of the program folder at its contents in the game's help viewer,
  // with the viewer's title.
  void ShowHelp(const QString& helpFile, const QString& title);
  HelpViewer* helpViewer() const { return helpViewer_.get(); }

  // Opens a web page or a mail message ("http://...", "mailto:...") with the desktop's own
  // program (while scripted, only recorded in `opened`).
  void OpenAddress(const std::string& address);

  // --- for tests ---
  struct Box {
    std::string text, title;
    Buttons buttons;
  };
  // While scripted, message boxes are not shown: each is recorded and answered from
  // `answers` (an empty script answers Ok, or Yes to a question).
  bool scripted = false;
  std::deque<Answer> answers;
  std::vector<Box> boxes;
  // Every sound asked for, in order (also those that stay silent), and every help opened.
  std::vector<std::string> sounds;
  // While scripted, every pause in milliseconds, in order.
  std::vector<int> pauses;
  int helpShown = 0;
  std::vector<std::string> opened;  // every address asked for
  // A running timer's interval, and its tick now (a test need not wait for it).
  int TimerInterval(GameTimer timer) const;
  // The milliseconds until a running timer's next tick; -1 while it is stopped.
  int TimerRemaining(GameTimer timer) const;
  void FireTimer(GameTimer timer);
  // Runs after a sound is recorded and before it plays.
  std::function<void(const std::string&)> onSound;
  // Runs once a pause has shown what was drawn, before it blocks: what the screen shows for the
  // pause's whole length.
  std::function<void(int ms)> onPause;
  // Runs as the last yield ends (a yield's event loop, a message box's): the event loop is back
  // at its top.
  std::function<void()> onYieldsEnded;
  // Keeps the sounds silent even where an audio output exists.
  bool muted = false;

 private:
  struct GameTimerSlot {
    QTimer* timer = nullptr;
    std::function<void()> handler;
  };
  GameTimerSlot& Slot(GameTimer timer);
  void LeaveYield();
  std::map<GameTimer, GameTimerSlot> timers_;
  std::map<QString, WaveSound> soundCache_;  // by path, read once
  WavePlayer player_;
  int yieldDepth_ = 0;
  std::unique_ptr<HelpViewer> helpViewer_;
};

}  // namespace zarnath
