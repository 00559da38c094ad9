#include "shell/desktop_platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <chrono>
#include <thread>

#include "shell/help_viewer.h"
#include "shell/wave_player.h"
#include "view/missing_files.h"
#include "view/program_folder.h"
#include "view/widget_values.h"

namespace zarnath {

namespace {
// Texts carry CR LF line ends; the desktop's boxes break lines at LF.
QString BoxText(const std::string& text) {
  QString s = Latin1(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return s;
}
}  // namespace

DesktopPlatform::DesktopPlatform() {
  SetMissingFileNotice(
      [this](const std::string& text, const std::string& title) { MessageBox(text, title, Buttons::kOk); });
}

DesktopPlatform::~DesktopPlatform() {
  SetMissingFileNotice(nullptr);
}

namespace {
// Show what was drawn first: a blocked thread paints nothing that was only scheduled. The game
// window draws into its own picture without scheduling a paint, so it is repainted whole (it is
// the window that paints opaque, from that picture). Any other window (a dialog, the high-score
// table) schedules its own paints as its widgets change: only those are done, or a still window
// would be painted afresh at every frame of an orbit animation.
void ShowDrawn() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (!w->isVisible()) continue;
    if (w->testAttribute(Qt::WA_OpaquePaintEvent))
      w->repaint();
    else
      QCoreApplication::sendPostedEvents(w, QEvent::UpdateRequest);
  }
}
}  // namespace

void DesktopPlatform::Pause(int ms) {
  if (scripted) pauses.push_back(ms);
  ShowDrawn();
  if (onPause) onPause(ms);
  if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
}

int64_t DesktopPlatform::NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void DesktopPlatform::PauseUntil(int64_t untilMs) {
  ShowDrawn();
  std::this_thread::sleep_until(std::chrono::steady_clock::time_point(std::chrono::milliseconds(untilMs)));
}

void DesktopPlatform::Yield() {
  ++yieldDepth_;
  QCoreApplication::processEvents();
  LeaveYield();
}

void DesktopPlatform::LeaveYield() {
  if (--yieldDepth_ == 0 && onYieldsEnded) onYieldsEnded();
}

void DesktopPlatform::PlaySound(const std::string& file) {
  sounds.push_back(file);
  if (onSound) onSound(file);
  const QString name = Latin1(file);
  const QString path = ProgramFile(name);
  auto it = soundCache_.find(path);
  if (it == soundCache_.end()) {
    QFile f(path);
    std::optional<WaveSound> sound;
    if (f.open(QIODevice::ReadOnly)) sound = ParseWave(f.readAll());
    if (!sound) {
      ReportMissingFile(name);
      return;
    }
    it = soundCache_.emplace(path, std::move(*sound)).first;
  }
  if (muted || !HasAudioOutput()) return;
  player_.PlayToEnd(it->second);
}

Answer DesktopPlatform::MessageBox(const std::string& text, const std::string& title, Buttons buttons) {
  const std::string shownTitle = title.empty() ? "Zarnath" : title;
  if (scripted) {
    boxes.push_back(Box{text, shownTitle, buttons});
    Answer answer = buttons == Buttons::kYesNo ? Answer::kYes : Answer::kOk;
    if (!answers.empty()) {
      answer = answers.front();
      answers.pop_front();
    }
    return answer;
  }
  const QMessageBox::StandardButtons shown = buttons == Buttons::kYesNo ? QMessageBox::Yes | QMessageBox::No
                                             : buttons == Buttons::kOkCancel
                                                 ? QMessageBox::Ok | QMessageBox::Cancel
                                                 : QMessageBox::Ok;
  QMessageBox box(QMessageBox::NoIcon, BoxText(shownTitle), BoxText(text), shown);
  box.setTextFormat(Qt::PlainText);
  // The box's own loop hands events over as a yield does.
  ++yieldDepth_;
  const int pressed = box.exec();
  LeaveYield();
  switch (buttons) {
    case Buttons::kOk:
      return Answer::kOk;
    case Buttons::kOkCancel:
      return pressed == QMessageBox::Ok ? Answer::kOk : Answer::kCancel;
    case Buttons::kYesNo:
      break;
  }
  return pressed == QMessageBox::Yes ? Answer::kYes : Answer::kNo;
}

DesktopPlatform::GameTimerSlot& DesktopPlatform::Slot(GameTimer timer) {
  GameTimerSlot& slot = timers_[timer];
  if (!slot.timer) {
    slot.timer = new QTimer(this);
    connect(slot.timer, &QTimer::timeout, this, [this, timer] {
      auto& handler = timers_[timer].handler;
      if (handler) handler();
    });
  }
  return slot;
}

void DesktopPlatform::SetTimer(GameTimer timer, int intervalMs, bool enabled) {
  QTimer* t = Slot(timer).timer;
  if (!enabled || intervalMs <= 0) {
    t->stop();
    return;
  }
  if (!t->isActive() || t->interval() != intervalMs) t->start(intervalMs);
}

void DesktopPlatform::SetTimerHandler(GameTimer timer, std::function<void()> handler) {
  Slot(timer).handler = std::move(handler);
}

bool DesktopPlatform::TimerEnabled(GameTimer timer) const {
  auto it = timers_.find(timer);
  return it != timers_.end() && it->second.timer->isActive();
}

int DesktopPlatform::TimerInterval(GameTimer timer) const {
  auto it = timers_.find(timer);
  return it != timers_.end() ? it->second.timer->interval() : 0;
}

int DesktopPlatform::TimerRemaining(GameTimer timer) const {
  auto it = timers_.find(timer);
  return it != timers_.end() ? it->second.timer->remainingTime() : -1;
}

void DesktopPlatform::FireTimer(GameTimer timer) {
  auto it = timers_.find(timer);
  if (it != timers_.end() && it->second.timer->isActive() && it->second.handler) it->second.handler();
}

void DesktopPlatform::ShowHelp(const QString& helpFile, const QString& title) {
  ++helpShown;
  const QString path = ProgramFile(helpFile);
  if (!QFileInfo::exists(path)) {
    ReportMissingFile(helpFile);
    return;
  }
  if (!helpViewer_) helpViewer_ = std::make_unique<HelpViewer>();
  if (!helpViewer_->Open(path, title)) ReportMissingFile(helpFile);
}

void DesktopPlatform::OpenAddress(const std::string& address) {
  opened.push_back(address);
  if (scripted) return;
  QDesktopServices::openUrl(QUrl(Latin1(address)));
}

}  // namespace zarnath
