#include "shell/game_dialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QWindow>
#include <ctime>

#include "model/game.h"
#include "persist/high_score_rows.h"
#include "persist/high_scores.h"
#include "shell/high_score_window.h"
#include "shell/saved_game_dialog.h"

namespace zarnath {

namespace {

void Centre(QWidget* w) {
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    w->move(screen->availableGeometry().center() - w->rect().center());
}

void ShowAtFront(QWidget* w) {
  w->show();
  w->activateWindow();
}

}  // namespace

void WaitUntilOnScreen(QWidget* w) {
  QElapsedTimer waited;
  waited.start();
  while (w->windowHandle() && !w->windowHandle()->isExposed() && waited.elapsed() < 1000) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QThread::msleep(2);
  }
}

GameDialogs::~GameDialogs() {
  delete save_.data();
  delete load_.data();
  delete highScores_.data();
}

void GameDialogs::HideFileDialogs() {
  if (save_) save_->hide();
  if (load_) load_->hide();
}

SaveGameDialog& GameDialogs::saveDialog() {
  if (!save_) {
    save_ = new SaveGameDialog(*game_);
    Centre(save_);
  }
  return *save_;
}

LoadGameDialog& GameDialogs::loadDialog() {
  if (!load_) {
    load_ = new LoadGameDialog(*game_);
    load_->showTitle = [this] {
      if (showTitle) showTitle();
    };
    Centre(load_);
  }
  return *load_;
}

HighScoreWindow& GameDialogs::highScores() {
  if (!highScores_) {
    highScores_ = new HighScoreWindow(*game_);
    Centre(highScores_);
  }
  return *highScores_;
}

void GameDialogs::mnuFileSave_Click() {
  if (game_) ShowAtFront(&saveDialog());
}

void GameDialogs::mnuFileLoad_Click() {
  if (!game_) return;
  loadDialog().Text1->clear();
  ShowAtFront(&loadDialog());
}

void GameDialogs::ShowLoadDialog() {
  if (game_) ShowAtFront(&loadDialog());
}

void GameDialogs::OfferAutoSave() {
  if (!game_) return;
  saveDialog().Text1->clear();
  ShowAtFront(&saveDialog());
}

void GameDialogs::HighScore(const std::string& name, float rating, float ships, float production,
                            float worlds, float classSum) {
  if (!game_) return;
  Game& g = *game_;
  const HighScoreView view =
      RecordHighScore(g.programFolder, GameResult{name, rating, ships, production, worlds, classSum},
                      g.GameYear, DatesOf(std::time(nullptr)));
  if (!view.error.empty()) g.io.platform.MessageBox(view.error, "Zarnath Error", Buttons::kOk);
  HighScoreWindow& window = highScores();
  window.ShowLines(HighScoreWindowText(view));
  ShowAtFront(&window);
  WaitUntilOnScreen(&window);
  window.repaint();
  g.io.platform.Pause(2000);
}

void GameDialogs::mnuInfoHigh_Click() {
  if (!game_) return;
  highScores().HideExtraLine();
  HighScore("", 0, 0, 0, 0, 0);
}

void GameDialogs::DiscardHighScores() {
  if (!highScores_) return;
  highScores_->hide();
  highScores_->deleteLater();
  highScores_ = nullptr;
}

}  // namespace zarnath
