// The internet lobby's services: the shared clock from the daytime servers of "time.cfg", and the
// day's server list on the master FTP server of "servers.cfg" (publishing a host's record,
// fetching and reading the list), and the game log of internet games. Everything runs in the
// event loop; the setup window's rules decide when (online_setup.h).
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "net/ftp_transfer.h"
#include "net/lobby_files.h"

class QLocale;
class QTcpSocket;
class QTimer;

namespace zarnath {

class Game;

// Asks the time servers in turn, each for up to `waitMs`, until one answers.
class DaytimeClock : public QObject {
  Q_OBJECT

 public:
  explicit DaytimeClock(QObject* parent = nullptr);
  using Done = std::function<void(std::optional<double> offset)>;
  void Measure(std::vector<TimeServer> servers, uint16_t port, Done done);
  int waitMs = 2000;

 private:
  void TryNext();
  void Finish(std::optional<double> offset);
  void Judge(bool closed);

  std::vector<TimeServer> servers_;
  size_t next_ = 0;
  uint16_t port_ = 13;
  Done done_;
  QByteArray reply_;
  QPointer<QTcpSocket> socket_;
  QTimer* wait_ = nullptr;
};

class InternetLobby : public QObject {
  Q_OBJECT

 public:
  InternetLobby(Game& game, QObject* parent = nullptr);

  // The folder that holds "servers.cfg" and "time.cfg".
  QString folder = QStringLiteral(".");

  // A message for the player (the window shows it in a box).
  std::function<void(const QString& text)> onMessage;
  // The master server cannot be reached and "servers.cfg" names its status page: the player may
  // look at that page. Without a page (or without this), `onMessage` tells the cause.
  std::function<void(const std::string& statusPage)> onMasterUnreachable;
  // Online mode was left after a failure (the online box is already cleared in the setup state).
  std::function<void()> onLeftOnline;
  // A fresh list was read; the window fills its table from it.
  std::function<void(const ServerList& list)> onList;

  // Reads the access file and, when the shared clock is not known yet, measures it; then `ready`.
  // A failure shows its message and leaves online mode instead.
  void Prepare(std::function<void()> ready);
  // Adds this host's record to the day's list.
  void Publish(const std::string& address, std::function<void()> done = {});
  // Fetches and reads the day's list; `onList` gets it.
  void Download(std::function<void()> done = {});
  // Adds one line to "gamelog.txt" on the master server. The game has started by then: a failure
  // is not shown.
  void AppendGameLog(const std::string& line, std::function<void()> done = {});

  bool Busy() const { return ftp_.Busy(); }
  FtpTransfer& ftp() { return ftp_; }
  DaytimeClock& clock() { return clock_; }

  // The country shown in the list: the user's locale's, or "Unknown" when it names none.
  static std::string Country();
  static std::string CountryOf(const QLocale& locale);
  static constexpr char kUnknownCountry[] = "Unknown";
  // How the user's locale writes a short date: day or month first.
  static DateOrder LocaleDateOrder();
  // The day's file name on the shared clock now.
  std::string DayFile() const;

 private:
  void Fail(const FtpTransfer::Result& result);
  void LeaveOnline(const QString& message);
  std::tm SharedNow() const;

  Game& game_;
  FtpTransfer ftp_;
  DaytimeClock clock_;
  bool clockMeasured_ = false;
  std::string statusPage_;  // from "servers.cfg"; "" when it names none
};

}  // namespace zarnath
