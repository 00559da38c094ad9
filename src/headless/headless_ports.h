// The ports without a screen: every call is recorded, message boxes are answered from a
// script, pauses take no time and timers run on a virtual clock. Tests, the game runner and
// benchmarks play whole games through it.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "model/ports.h"

namespace zarnath {

class HeadlessPorts : public Platform, public GameScreen, public NetworkPort, public GameFlow {
 public:
  HeadlessPorts() = default;
  HeadlessPorts(const HeadlessPorts&) = delete;
  HeadlessPorts& operator=(const HeadlessPorts&) = delete;

  Ports ports() { return Ports{*this, *this, *this, *this}; }

  // --- what happened ---
  std::vector<std::string> calls;  // one line per call, e.g. "Pause 50", "Sound turn.wav"
  bool recording = true;           // off for long runs that need no transcript
  void Clear() { calls.clear(); }
  int Count(const std::string& call) const;
  bool Has(const std::string& call) const { return Count(call) > 0; }
  std::vector<std::string> Sent() const;  // every "Send" line's message, in order

  // --- scripted answers and settings ---
  std::deque<Answer> answers;  // message-box answers; an empty script answers Ok or Yes
  int innerWidth = 1018;       // what the game window measures
  int socketCount = 1;
  std::vector<bool> connected{false};
  // The receiver told of each connection closed here, as the socket transport tells it.
  NetworkEvents* receiver = nullptr;

  // --- virtual clock ---
  int64_t nowMs = 0;
  struct TimerSlot {
    int intervalMs = 0;
    bool enabled = false;
    int64_t dueMs = 0;
  };
  std::map<GameTimer, TimerSlot> timers;
  bool TimerEnabled(GameTimer t) const;
  // Advances the clock to the next enabled timer and hands its tick to `tick`; false when no
  // timer is running.
  bool FireNextTimer(const std::function<void(GameTimer)>& tick);

  // Hooks for the steps of later layers; by default they are only recorded.
  std::function<void()> onGameCheck;
  std::function<void()> onGalaxySync;
  std::function<void()> onYield;
  std::function<void()> onYieldsEnded;  // as the last yield returns
  std::function<void()> onShowSetupWindow;
  std::function<void()> onComputerTurn;
  std::function<void()> onAutoSave;
  std::function<void(Control)> onRefresh;  // sees the model as each control is repainted

  // Platform
  void Pause(int ms) override;
  int64_t NowMs() override { return nowMs; }
  // Recorded as the pause it comes to ("Pause 44" when 6 ms of the clock were spent since).
  void PauseUntil(int64_t untilMs) override;
  void Yield() override;
  // Inside the `onYield` hook (a yield without one hands over to nothing).
  bool InsideYield() override { return yieldDepth_ > 0; }
  void PlaySound(const std::string& file) override;
  Answer MessageBox(const std::string& text, const std::string& title, Buttons buttons) override;
  void SetTimer(GameTimer timer, int intervalMs, bool enabled) override;
  // GameScreen
  int ShowGameWindow() override;
  void HideGameWindow() override;
  void ShowSetupWindow() override;
  void HideSetupWindow() override;
  void Refresh(Control control) override;
  void Focus(Control control) override;
  void GalaxyDraw() override;
  void Console() override;
  void DrawOrbitTick() override;
  void DrawDestinationMarks() override;
  void EndProgram() override;
  bool programEnded = false;
  void DrawCircle(double x, double y, double radius, double colour, double aspect, int lineWidth,
                  int lineStyle) override;
  void DrawBlob(double x, double y, double fillColour, double lineColour) override;
  void DrawStarMark(double x, double y, double colour, double centreColour) override;
  void DrawShipDots(double x, double y, double fillColour, double lineColour, int count, int size) override;
  void DrawStrengthBar(double split, double leftColour, double rightColour, bool divider) override;
  void ShowLabels(int slot, double u, double v) override;
  void HideMapLabels() override;
  void ShowShipsLabel(const std::string& caption, double x, double y, int gap, double colour) override;
  void HideShipsLabel() override;
  void SelectFirstTravelRow() override;
  void ReturnToSetup() override;
  // NetworkPort
  void SetEvents(NetworkEvents* events) override { receiver = events; }
  int SocketCount() override { return socketCount; }
  bool SocketConnected(int element) override;
  void SendData(int element, const std::string& message) override;
  void CloseSocket(int element) override;
  void ConnectToHost() override;
  bool Listening() override { return listening; }
  bool StartListening(std::string* error) override;
  bool listening = false;  // the host's listener (closing element 0 closes it)
  void StopLobbyTimers() override;
  void AppendOnlineGameLog(const std::string& line) override;
  void PublishOnline() override;
  void RefreshOnlineLobby() override;
  // What the internet lobby's refresh does (a test plays the list's arrival); recorded always.
  std::function<void()> onRefreshOnlineLobby;
  std::string localAddress = "127.0.0.1";
  std::string LocalAddress() override { return localAddress; }
  // GameFlow
  void GameCheck() override;
  void GalaxySync() override;
  void ComputerTurn() override;
  void HighScore(const std::string& name, float rating, float ships, float production, float worlds,
                 float classSum) override;
  void OfferAutoSave() override;

 private:
  void Record(std::string line);
  int yieldDepth_ = 0;
};

// A number as the transcript writes it: up to 7 significant digits, no trailing zeros.
std::string CallNumber(double value);
const char* ControlName(Control c);
const char* TimerName(GameTimer t);

}  // namespace zarnath
