#include "shell/setup_screen.h"

#include <QGuiApplication>
#include <QScreen>

#include "engine/setup_load.h"
#include "model/game.h"
#include "shell/setup_window.h"

namespace zarnath {

SetupWindows::~SetupWindows() {
  delete window_.data();
}

void SetupWindows::Show() {
  if (!game_) return;
  if (!window_) {
    OpenNewSetupWindow(*game_);
    window_ = new SetupWindow(*game_);
    window_->onClosed = [this] {
      Discard();
      if (showTitle) showTitle();
    };
    if (onCreated) onCreated(*window_);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      window_->move(screen->availableGeometry().center() - window_->rect().center());
  }
  game_->window.SetupVisible = true;
  window_->ShowState();
  window_->show();
  window_->activateWindow();
}

void SetupWindows::Hide() {
  if (window_) window_->hide();
}

void SetupWindows::Discard() {
  if (!window_) return;
  window_->hide();
  window_->deleteLater();
  window_ = nullptr;
}

void SetupWindows::ShowState() {
  if (window_) window_->ShowState();
}

void SetupWindows::FocusChat() {
  if (window_ && window_->isVisible() && window_->txtMessage->isVisible()) window_->txtMessage->setFocus();
}

void SetupWindows::FocusAddress() {
  if (!window_ || !window_->isVisible()) return;
  window_->ShowState();  // the box may have been enabled just now
  window_->txtIP->setFocus();
}

void SetupWindows::FocusFirstName() {
  if (window_ && window_->isVisible()) window_->txtPL[0]->setFocus();
}

void SetupScreen::ShowSetupWindow() {
  setup_.Show();
  inner_.ShowSetupWindow();
}

void SetupScreen::HideSetupWindow() {
  setup_.Hide();
  inner_.HideSetupWindow();
}

void SetupScreen::ReturnToSetup() {
  inner_.ReturnToSetup();
  setup_.Discard();
  setup_.Show();
}

void SetupScreen::Focus(Control control) {
  if (control == Control::kSetupNameBox) setup_.FocusFirstName();
  if (control == Control::kTxtMessage) setup_.FocusChat();
  if (control == Control::kTxtIP) setup_.FocusAddress();
  inner_.Focus(control);
}

}  // namespace zarnath
