#include "shell/online_lobby.h"

#include <QCheckBox>
#include <QEvent>
#include <QHostAddress>
#include <QLabel>
#include <QNetworkInterface>
#include <QRadioButton>
#include <QScreen>

#include "model/game.h"
#include "net/game_port.h"
#include "net/lobby.h"
#include "net/socket_network.h"
#include "shell/setup_window.h"

namespace zarnath {
namespace {

constexpr int kTableTop = 545;  // under the compact window
constexpr int kLobbyHeight = 760;

}  // namespace

OnlineLobby::OnlineLobby(Game& game, Platform& platform, SocketNetwork& network, QObject* parent)
    : QObject(parent), game_(game), platform_(platform), network_(network), lobby_(game, this) {
  lobby_.onMessage = [this](const QString& text) {
    platform_.MessageBox(text.toLatin1().toStdString(), "Zarnath", Buttons::kOk);
  };
  lobby_.onLeftOnline = [this] { Leave(); };
  lobby_.onList = [this](const ServerList& list) { ShowList(list); };
  lobby_.onRepublish = [this] {
    if (table_) table_->ExcludeLastRow();
    Host();
  };
  network_.onAppendGameLog = [this](const std::string& line) { lobby_.AppendGameLog(line); };
}

QString OnlineLobby::LocalAddress() {
  const QString chosen = qEnvironmentVariable("ZARNATH_LOBBY_ADDRESS");
  if (!chosen.isEmpty()) return chosen;
  for (const QHostAddress& a : QNetworkInterface::allAddresses())
    if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback()) return a.toString();
  return QStringLiteral("127.0.0.1");
}

void OnlineLobby::Attach(SetupWindow& window) {
  lobby_.StopTimers();
  window_ = &window;
  compact_ = window.size();
  lobby_.folder = QString::fromStdString(game_.programFolder.empty() ? "." : game_.programFolder);
  table_ = new ServerTableWidget(game_, &window);
  table_->move(8, kTableTop);
  table_->hide();
  table_->onMessage = lobby_.onMessage;
  table_->onJoin = [this] {
    lobby_.StopTimers();
    game_.setup.OptServerClientEnabled = false;
    game_.setup.lblStatus[0] = "Running Client...";
    game_.setup.lblStatus[1] = "Looking for Server...";
    game_.setup.lblStatus[2] = game_.setup.lblStatus[3] = "Waiting for Client...";
    for (auto& visible : game_.setup.lblStatusVisible) visible = true;
    window_->ShowState();
    network_.Connect(QString::fromLatin1(game_.setup.txtIP.c_str()), GamePort());
  };
  window.chkOnline->setEnabled(true);
  connect(window.chkOnline, &QCheckBox::clicked, this, &OnlineLobby::OnlineBox);
  // After the window's own handling of the choice (which stops a LAN listener).
  for (auto* option : window.OptServerClient)
    connect(option, &QRadioButton::clicked, this, [this] {
      if (game_.setup.chkOnline == 1) Choice();
    });
  window.installEventFilter(this);
  connect(&window, &QObject::destroyed, this, [this] { lobby_.StopTimers(); });
}

void OnlineLobby::OnlineBox(bool on) {
  SetupState& s = game_.setup;
  if (on && (s.txtPL[0].empty() || s.chkAI[0] == 1)) {
    lobby_.onMessage(s.txtPL[0].empty()
                         ? QStringLiteral("You Must Enter Your Name First!")
                         : QStringLiteral("Computer Players Can Not Play Internet/LAN Games!"));
    on = false;
  }
  s.chkOnline = on ? 1 : 0;
  if (!on) {
    Leave();
    return;
  }
  if (s.chkLan == 1) {
    s.chkLan = 0;
    network_.CloseAll();
  }
  Layout(true);
  lobby_.Prepare([this] { Choice(); });
}

void OnlineLobby::Choice() {
  if (!window_ || game_.setup.chkOnline != 1) return;
  lobby_.StopTimers();
  game_.setup.OptServerClientEnabled = true;
  if (window_->OptServerClient[0]->isChecked() || window_->OptServerClient[1]->isChecked()) {
    if (game_.setup.OptServerClient0)
      Host();
    else
      Join();
  }
  window_->ShowState();
}

void OnlineLobby::Host() {
  // Players outside a private network cannot reach it: offer a network game instead.
  if (AsksToSwitchToLan(game_.setup, LocalAddress().toLatin1().toStdString()) &&
      platform_.MessageBox(kSwitchToLanQuestion, kSwitchToLanTitle, Buttons::kYesNo) == Answer::kYes) {
    Leave();
    game_.setup.chkLan = 1;
    chkLan_Click(game_);
    if (window_) window_->ShowState();
    return;
  }
  if (!network_.Listening()) {
    QString error;
    if (!network_.Listen(GamePort(), &error)) {
      lobby_.onMessage(error);
      return;
    }
  }
  game_.setup.lblStatus[0] = "Running Server...";
  game_.setup.lblStatusVisible[0] = true;
  if (table_) table_->Label9->setText(QStringLiteral("To Remove A Client, Click On Name Above"));
  lobby_.Publish(LocalAddress().toLatin1().toStdString(), [this] {
    lobby_.Download();
    lobby_.StartRepublishing();
  });
}

void OnlineLobby::Join() {
  network_.CloseAll();
  if (table_) {
    table_->Label9->setText(QStringLiteral("Active Servers:  Double Click To Start"));
    table_->ExcludeLastRow();
  }
  lobby_.Download([this] { lobby_.StartRefreshing(); });
}

void OnlineLobby::ShowList(const ServerList& list) {
  if (!table_) return;
  table_->Fill(TableFor(list, game_.setup.OptServerClient0, game_.setup, InternetLobby::Country()));
  table_->show();
}

void OnlineLobby::Leave() {
  lobby_.StopTimers();
  game_.setup.chkOnline = 0;
  network_.CloseAll();
  Layout(false);
  if (window_) {
    window_->chkOnline->setChecked(false);
    window_->ShowState();
  }
}

void OnlineLobby::Layout(bool lobby) {
  if (!window_ || !table_) return;
  window_->setFixedSize(lobby ? QSize(std::max(compact_.width(), table_->width() + 16), kLobbyHeight)
                              : compact_);
  // The taller window stays on the screen.
  if (const QScreen* screen = window_->screen()) {
    const QRect free = screen->availableGeometry();
    if (window_->geometry().bottom() > free.bottom())
      window_->move(window_->x(), std::max(free.top(), free.bottom() - window_->height()));
  }
  table_->setVisible(lobby);
  if (!lobby) table_->Clear();
}

bool OnlineLobby::eventFilter(QObject* watched, QEvent* event) {
  // The game's start hides the setup window: the lobby's timers stop with it.
  if (watched == window_ && event->type() == QEvent::Hide) lobby_.StopTimers();
  return QObject::eventFilter(watched, event);
}

}  // namespace zarnath
