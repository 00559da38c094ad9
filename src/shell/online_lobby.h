// The setup window's internet box: online mode. Ticking it reads the access files, measures the
// shared clock, and shows the day's server list in the server table; a host publishes its game
// there and republishes it every five minutes, a joining player's list refreshes every minute,
// and a row of the table joins its host. A failure shows its message and leaves online mode.
#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>

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

  // The address this machine publishes: ZARNATH_LOBBY_ADDRESS, else its first outside IPv4 address.
  static QString LocalAddress();

  InternetLobby& service() { return lobby_; }
  ServerTableWidget* table() const { return table_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnlineBox(bool on);
  void Choice();  // the host/join choice changed, or online mode began
  void Host();
  void Join();
  void ShowList(const ServerList& list);
  void Leave();
  void Layout(bool lobby);

  Game& game_;
  Platform& platform_;
  SocketNetwork& network_;
  InternetLobby lobby_;
  QPointer<SetupWindow> window_;
  QPointer<ServerTableWidget> table_;
  QSize compact_;
};

}  // namespace zarnath
