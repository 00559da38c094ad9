// The setup window's internet box: online mode. Ticking it reads the access files, measures the
// shared clock, sets the window up as the internet lobby and shows the day's server list in the
// server table; the setup rules (net/online_setup.h, net/lobby.h) decide what the window shows,
// when the host publishes its game and when the list is fetched again, and this class runs those
// transfers. A failure shows its message and leaves online mode.
#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <functional>

#include "net/internet_lobby.h"
#include "shell/server_table.h"

namespace zarnath {

class Game;
class Platform;
class SetupWindow;
class SocketNetwork;

class OnlineLobby : public QObject {
  Q_OBJECT

 public:
  OnlineLobby(Game& game, Platform& platform, SocketNetwork& network, QObject* parent = nullptr);

  // Gives a newly created setup window its internet box and server table.
  void Attach(SetupWindow& window);

  // The internet box's handler: online mode set up and the day's list fetched while the box is
  // ticked, the local set-up back when it is clear. The rules run it again to refresh the list.
  void chkOnline_Click();

  InternetLobby& service() { return lobby_; }
  ServerTableWidget* table() const { return table_; }

  // Opens a web page with the desktop's own program (the master server's status page).
  std::function<void(const std::string& address)> openAddress;

 private:
  void Continue();  // the access data read and the clock known
  void Publish();
  void ShowList(const ServerList& list);
  void LeftAfterFailure();
  void MasterUnreachable(const std::string& statusPage);
  void ShowState();
  void Layout();

  Game& game_;
  Platform& platform_;
  SocketNetwork& network_;
  InternetLobby lobby_;
  QPointer<SetupWindow> window_;
  QPointer<ServerTableWidget> table_;
  QSize compact_;
};

}  // namespace zarnath
