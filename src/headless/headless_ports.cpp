#include "headless/headless_ports.h"

#include <algorithm>
#include <cstdio>

namespace zarnath {

const char* ControlName(Control c) {
  switch (c) {
    case Control::kWindow:
      return "window";
    case Control::kTxtGame:
      return "txtGame";
    case Control::kTxtMove:
      return "txtMove";
    case Control::kTxtMessage:
      return "txtMessage";
    case Control::kTxtChat:
      return "txtChat";
    case Control::kLblPlanet:
      return "lblPlanet";
    case Control::kBattleFrames:
      return "battleFrames";
    case Control::kSetupNameBox:
      return "txtPL0";
    case Control::kTxtIP:
      return "txtIP";
    case Control::kLblStatus:
      return "lblStatus";
  }
  return "?";
}

const char* TimerName(GameTimer t) {
  switch (t) {
    case GameTimer::kTurn:
      return "tmrTurn";
    case GameTimer::kAI:
      return "tmrAI";
    case GameTimer::kChatLock:
      return "tmrChat";
    case GameTimer::kLobbyStart:
      return "tmrStart";
    case GameTimer::kClientJoin:
      return "tmrClient";
    case GameTimer::kServerRepublish:
      return "tmrServer";
    case GameTimer::kServerRefresh:
      return "tmrConnect";
    case GameTimer::kNameWait:
      return "tmrNameWait";
    case GameTimer::kStepsWaiting:
      return "tmrStepsWaiting";
  }
  return "?";
}

std::string CallNumber(double value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.7g", value);
  return buf;
}

void HeadlessPorts::Record(std::string line) {
  if (recording) calls.push_back(std::move(line));
}

int HeadlessPorts::Count(const std::string& call) const {
  return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

std::vector<std::string> HeadlessPorts::Sent() const {
  std::vector<std::string> out;
  for (const auto& c : calls)
    if (c.rfind("Send ", 0) == 0) out.push_back(c.substr(c.find(' ', 5) + 1));
  return out;
}

bool HeadlessPorts::TimerEnabled(GameTimer t) const {
  auto it = timers.find(t);
  return it != timers.end() && it->second.enabled;
}

bool HeadlessPorts::FireNextTimer(const std::function<void(GameTimer)>& tick) {
  const TimerSlot* next = nullptr;
  GameTimer which{};
  for (auto& [t, slot] : timers)
    if (slot.enabled && (!next || slot.dueMs < next->dueMs)) next = &slot, which = t;
  if (!next) return false;
  nowMs = std::max(nowMs, next->dueMs);
  timers[which].dueMs = nowMs + std::max(1, timers[which].intervalMs);
  tick(which);
  return true;
}

void HeadlessPorts::Pause(int ms) {
  nowMs += ms;
  if (recording) Record("Pause " + std::to_string(ms));
}

void HeadlessPorts::PauseUntil(int64_t untilMs) {
  Pause(static_cast<int>(std::clamp<int64_t>(untilMs - nowMs, 0, INT32_MAX)));
}

void HeadlessPorts::Yield() {
  if (recording) Record("Yield");
  if (!onYield) return;
  ++yieldDepth_;
  onYield();
  if (--yieldDepth_ == 0 && onYieldsEnded) onYieldsEnded();
}

void HeadlessPorts::PlaySound(const std::string& file) {
  if (recording) Record("Sound " + file);
}

Answer HeadlessPorts::MessageBox(const std::string& text, const std::string& title, Buttons buttons) {
  if (recording) Record("MessageBox " + title + ": " + text);
  if (!answers.empty()) {
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  return buttons == Buttons::kYesNo ? Answer::kYes : Answer::kOk;
}

void HeadlessPorts::SetTimer(GameTimer timer, int intervalMs, bool enabled) {
  TimerSlot& slot = timers[timer];
  slot.intervalMs = intervalMs;
  slot.enabled = enabled;
  slot.dueMs = nowMs + intervalMs;
  if (recording)
    Record(std::string("Timer ") + TimerName(timer) + (enabled ? " on " : " off ") +
           std::to_string(intervalMs));
}

int HeadlessPorts::ShowGameWindow() {
  if (recording) Record("ShowGameWindow");
  return innerWidth;
}
void HeadlessPorts::HideGameWindow() {
  if (recording) Record("HideGameWindow");
}
void HeadlessPorts::ShowSetupWindow() {
  if (recording) Record("ShowSetupWindow");
  if (onShowSetupWindow) onShowSetupWindow();
}
void HeadlessPorts::HideSetupWindow() {
  if (recording) Record("HideSetupWindow");
}
void HeadlessPorts::Refresh(Control control) {
  if (recording) Record(std::string("Refresh ") + ControlName(control));
  if (onRefresh) onRefresh(control);
}
void HeadlessPorts::Focus(Control control) {
  if (recording) Record(std::string("Focus ") + ControlName(control));
}
void HeadlessPorts::GalaxyDraw() {
  if (recording) Record("GalaxyDraw");
}
void HeadlessPorts::Console() {
  if (recording) Record("Console");
}
void HeadlessPorts::DrawOrbitTick() {
  if (recording) Record("DrawOrbitTick");
}
void HeadlessPorts::DrawDestinationMarks() {
  if (recording) Record("DrawDestinationMarks");
}
void HeadlessPorts::EndProgram() {
  programEnded = true;
  if (recording) Record("EndProgram");
}

void HeadlessPorts::DrawCircle(double x, double y, double radius, double colour, double aspect, int lineWidth,
                               int lineStyle) {
  if (recording)
    Record("Circle " + CallNumber(x) + " " + CallNumber(y) + " " + CallNumber(radius) + " " +
           CallNumber(colour) + " " + CallNumber(aspect) + " " + std::to_string(lineWidth) + " " +
           std::to_string(lineStyle));
}
void HeadlessPorts::DrawBlob(double x, double y, double fillColour, double lineColour) {
  if (recording)
    Record("Blob " + CallNumber(x) + " " + CallNumber(y) + " " + CallNumber(fillColour) + " " +
           CallNumber(lineColour));
}
void HeadlessPorts::DrawStarMark(double x, double y, double colour, double centreColour) {
  if (recording)
    Record("Star " + CallNumber(x) + " " + CallNumber(y) + " " + CallNumber(colour) + " " +
           CallNumber(centreColour));
}
void HeadlessPorts::DrawShipDots(double x, double y, double fillColour, double lineColour, int count,
                                 int size) {
  if (recording)
    Record("Dots " + CallNumber(x) + " " + CallNumber(y) + " " + CallNumber(fillColour) + " " +
           CallNumber(lineColour) + " " + std::to_string(count) + " " + std::to_string(size));
}
void HeadlessPorts::DrawStrengthBar(double split, double leftColour, double rightColour, bool divider) {
  if (recording)
    Record("StrengthBar " + CallNumber(split) + " " + CallNumber(leftColour) + " " + CallNumber(rightColour) +
           (divider ? " divider" : ""));
}
void HeadlessPorts::ShowLabels(int slot, double u, double v) {
  if (recording) Record("ShowLabels " + std::to_string(slot) + " " + CallNumber(u) + " " + CallNumber(v));
}
void HeadlessPorts::HideMapLabels() {
  if (recording) Record("HideMapLabels");
}
void HeadlessPorts::ShowShipsLabel(const std::string& caption, double x, double y, int gap, double colour) {
  if (recording)
    Record("ShipsLabel " + caption + " " + CallNumber(x) + " " + CallNumber(y) + " " + std::to_string(gap) +
           " " + CallNumber(colour));
}
void HeadlessPorts::HideShipsLabel() {
  if (recording) Record("HideShipsLabel");
}
void HeadlessPorts::SelectFirstTravelRow() {
  if (recording) Record("SelectFirstTravelRow");
}
void HeadlessPorts::ReturnToSetup() {
  if (recording) Record("ReturnToSetup");
}

bool HeadlessPorts::SocketConnected(int element) {
  return element >= 0 && element < static_cast<int>(connected.size()) &&
         connected[static_cast<size_t>(element)];
}
void HeadlessPorts::SendData(int element, const std::string& message) {
  if (recording) Record("Send " + std::to_string(element) + " " + message);
}
void HeadlessPorts::CloseSocket(int element) {
  if (recording) Record("Close " + std::to_string(element));
  if (element == 0) listening = false;
  if (element >= 0 && element < static_cast<int>(connected.size()))
    connected[static_cast<size_t>(element)] = false;
  if (receiver) receiver->ConnectionClosed(element);
}
bool HeadlessPorts::StartListening(std::string*) {
  if (recording) Record("Listen");
  listening = true;
  return true;
}
void HeadlessPorts::ConnectToHost() {
  if (recording) Record("ConnectToHost");
}
void HeadlessPorts::StopLobbyTimers() {
  if (recording) Record("StopLobbyTimers");
}
void HeadlessPorts::AppendOnlineGameLog(const std::string& line) {
  if (recording) Record("GameLog " + line);
}
void HeadlessPorts::PublishOnline() {
  if (recording) Record("PublishOnline");
}
void HeadlessPorts::RefreshOnlineLobby() {
  if (recording) Record("RefreshOnlineLobby");
  if (onRefreshOnlineLobby) onRefreshOnlineLobby();
}

void HeadlessPorts::GameCheck() {
  if (recording) Record("GameCheck");
  if (onGameCheck) onGameCheck();
}
void HeadlessPorts::GalaxySync() {
  if (recording) Record("GalaxySync");
  if (onGalaxySync) onGalaxySync();
}

void HeadlessPorts::ComputerTurn() {
  if (recording) Record("ComputerTurn");
  if (onComputerTurn) onComputerTurn();
}
void HeadlessPorts::HighScore(const std::string& name, float rating, float ships, float production,
                              float worlds, float classSum) {
  if (recording)
    Record("HighScore " + name + " " + CallNumber(rating) + " " + CallNumber(ships) + " " +
           CallNumber(production) + " " + CallNumber(worlds) + " " + CallNumber(classSum));
  nowMs += 2000;
}
void HeadlessPorts::OfferAutoSave() {
  if (recording) Record("AutoSave");
  if (onAutoSave) onAutoSave();
}

}  // namespace zarnath
