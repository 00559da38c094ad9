#include "shell/online_lobby.h"

#include <QCheckBox>
#include <QScreen>

#include "model/game.h"
#include "net/lobby.h"
#include "net/online_setup.h"
#include "net/socket_network.h"
#include "shell/setup_window.h"

namespace zarnath {

OnlineLobby::OnlineLobby(Game& game, Platform& platform, SocketNetwork& network, QObject* parent)
    : QObject(parent), game_(game), platform_(platform), network_(network), lobby_(game, this) {
  lobby_.onMessage = [this](const QString& text) {
    platform_.MessageBox(text.toLatin1().toStdString(), "Zarnath", Buttons::kOk);
  };
  lobby_.onMasterUnreachable = [this](const std::string& page) { MasterUnreachable(page); };
  lobby_.onLeftOnline = [this] { LeftAfterFailure(); };
  lobby_.onList = [this](const ServerList& list) { ShowList(list); };
  network_.onAppendGameLog = [this](const std::string& line) { lobby_.AppendGameLog(line); };
  network_.onPublishOnline = [this] { Publish(); };
  network_.onRefreshOnlineLobby = [this] { chkOnline_Click(); };
}

void OnlineLobby::Attach(SetupWindow& window) {
  window_ = &window;
  compact_ = window.size();
  lobby_.folder = QString::fromStdString(game_.programFolder.empty() ? "." : game_.programFolder);
  table_ = new ServerTableWidget(game_, &window);
  table_->move(8, compact_.height());
  table_->hide();
  table_->onMessage = lobby_.onMessage;
  table_->onJoin = [this] { ShowState(); };
  window.chkOnline->setEnabled(true);
  // The box clicks as it is pressed, whatever the game's sound setting.
  connect(window.chkOnline, &QCheckBox::pressed, this, [this] { platform_.PlaySound("click1.wav"); });
  connect(window.chkOnline, &QCheckBox::clicked, this, [this](bool on) {
    game_.setup.chkOnline = on ? 1 : 0;
    chkOnline_Click();
  });
  window.onShowState = [this] {
    if (table_) table_->ShowState();
    Layout();
  };
  ShowState();
}

void OnlineLobby::chkOnline_Click() {
  SetupState& s = game_.setup;
  if (s.chkOnline == 1 && !OnlineBoxAllowed(game_)) {
    ShowState();
    return;
  }
  if (s.chkOnline != 1) {
    LeaveOnlineMode(game_);
    ShowState();
    return;
  }
  lobby_.Prepare([this] { Continue(); });
}

void OnlineLobby::Continue() {
  SetupState& s = game_.setup;
  if (s.chkOnline != 1) return;  // left while the clock was measured
  if (!s.OptServerClient0) OnlineReset(game_);
  OnlineLobbySetUp(game_);
  ShowState();
  lobby_.Download();
}

void OnlineLobby::Publish() {
  if (game_.setup.chkOnline == 1) lobby_.Publish(network_.LocalAddress());
}

void OnlineLobby::ShowList(const ServerList& list) {
  const SetupState& s = game_.setup;
  if (s.chkOnline != 1) return;  // online mode was left meanwhile
  ShowServerList(game_, TableFor(list, s.OptServerClient0, s, InternetLobby::Country()));
  ShowState();
}

void OnlineLobby::LeftAfterFailure() {
  game_.setup.chkOnline = 0;
  LeaveOnlineMode(game_);
  ShowState();
}

void OnlineLobby::MasterUnreachable(const std::string& statusPage) {
  if (platform_.MessageBox(kMasterUnreachableText, "Zarnath", Buttons::kOkCancel) == Answer::kOk &&
      openAddress)
    openAddress(statusPage);
}

void OnlineLobby::ShowState() {
  if (window_) window_->ShowState();
}

void OnlineLobby::Layout() {
  if (!window_ || !table_) return;
  const bool lobby = game_.setup.lobbyLayout;
  const int tallHeight = compact_.height() + kLobbyGrowth;
  const bool tall = window_->height() == tallHeight;
  table_->setVisible(lobby);
  if (lobby == tall) return;
  QPoint at = window_->pos();
  const QScreen* screen = window_->screen();
  const QRect free = screen ? screen->availableGeometry() : QRect();
  if (lobby) {
    // Up by half the growth when there is room above, so the window stays where it stood.
    if (screen && at.y() - free.top() >= kLobbyShift) at.ry() -= kLobbyShift;
    const int frameWidth = window_->frameGeometry().width() - window_->width();
    const int frameHeight = window_->frameGeometry().height() - window_->height();
    window_->setFixedSize(std::max(compact_.width(), table_->width() + 16), tallHeight);
    // The wider and taller window, with its frame, stays on the screen.
    const int right = at.x() + window_->width() + frameWidth;
    if (screen && right > free.right() + 1)
      at.rx() = std::max(free.left(), at.x() - (right - free.right() - 1));
    const int bottom = at.y() + window_->height() + frameHeight;
    if (screen && bottom > free.bottom() + 1)
      at.ry() = std::max(free.top(), at.y() - (bottom - free.bottom() - 1));
  } else {
    window_->setFixedSize(compact_);
    at.ry() += kLobbyShift;
  }
  window_->move(at);
}

}  // namespace zarnath
