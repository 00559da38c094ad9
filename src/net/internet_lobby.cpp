#include "net/internet_lobby.h"

#include <QDir>
#include <QLocale>
#include <QTcpSocket>
#include <QTimer>
#include <chrono>

#include "model/game.h"
#include "net/game_port.h"

namespace zarnath {

// ---- the shared clock ----

DaytimeClock::DaytimeClock(QObject* parent) : QObject(parent) {
  wait_ = new QTimer(this);
  wait_->setSingleShot(true);
  connect(wait_, &QTimer::timeout, this, [this] { Judge(true); });
}

void DaytimeClock::Measure(std::vector<TimeServer> servers, uint16_t port, Done done) {
  servers_ = std::move(servers);
  next_ = 0;
  port_ = port;
  done_ = std::move(done);
  TryNext();
}

void DaytimeClock::TryNext() {
  if (socket_) {
    socket_->disconnect(this);
    socket_->abort();
    socket_->deleteLater();
  }
  if (next_ >= servers_.size()) {
    Finish(std::nullopt);
    return;
  }
  reply_.clear();
  socket_ = new QTcpSocket(this);
  connect(socket_, &QTcpSocket::readyRead, this, [this] {
    reply_ += socket_->readAll();
    Judge(false);
  });
  connect(socket_, &QTcpSocket::disconnected, this, [this] {
    if (socket_) reply_ += socket_->readAll();
    Judge(true);
  });
  connect(socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
    if (e != QAbstractSocket::RemoteHostClosedError) Judge(true);
  });
  wait_->start(waitMs);
  socket_->connectToHost(QString::fromLatin1(servers_[next_].host.c_str()), port_);
}

// Judges the reply so far; `closed` when no more will come (closed, failed or out of time).
void DaytimeClock::Judge(bool closed) {
  if (!done_ || next_ >= servers_.size()) return;
  const std::string reply(reply_.constData(), static_cast<size_t>(reply_.size()));
  const DaytimeResult r = ReadDaytimeReply(reply, servers_[next_].key, closed);
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  switch (r.reading) {
    case DaytimeReading::kIncomplete:
      return;
    case DaytimeReading::kTime: {
      std::tm local{};
      localtime_r(&now, &local);
      if (const auto offset = TwoReadingOffset(r.text, local, InternetLobby::LocaleDateOrder())) {
        Finish(*offset);
        return;
      }
      break;
    }
    case DaytimeReading::kNoKey:
      // A server that answered in another form: the local clock's own idea of UTC.
      if (!reply.empty()) {
        Finish(LocalUtcOffset(now));
        return;
      }
      break;
    case DaytimeReading::kUnreadable:
      break;
  }
  ++next_;
  TryNext();
}

void DaytimeClock::Finish(std::optional<double> offset) {
  wait_->stop();
  if (socket_) {
    socket_->disconnect(this);
    socket_->abort();
    socket_->deleteLater();
  }
  Done done = std::move(done_);
  done_ = nullptr;
  if (done) done(offset);
}

// ---- the lobby ----

namespace {

QString FtpMessage(const FtpTransfer::Result& r) {
  switch (r.outcome) {
    case FtpTransfer::Outcome::kCannotConnect:
      return QStringLiteral("Problem Connecting To Master Server");
    case FtpTransfer::Outcome::kTimedOut:
      return QStringLiteral("Master Server Timed Out, Please Try Again Later");
    default:
      return QStringLiteral("Problem With Master Server, Please Try Again Later\r\n") + r.error;
  }
}

}  // namespace

InternetLobby::InternetLobby(Game& game, QObject* parent)
    : QObject(parent), game_(game), ftp_(this), clock_(this) {}

std::string InternetLobby::Country() {
  return CountryOf(QLocale::system());
}

std::string InternetLobby::CountryOf(const QLocale& locale) {
  // A locale that names no country (the "C" locale of many servers) would read "Default".
  if (locale.territory() == QLocale::AnyTerritory) return kUnknownCountry;
  return QLocale::territoryToString(locale.territory()).toLatin1().toStdString();
}

DateOrder InternetLobby::LocaleDateOrder() {
  const QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
  const qsizetype day = format.indexOf(QLatin1Char('d')), month = format.indexOf(QLatin1Char('M'));
  return month >= 0 && (day < 0 || month < day) ? DateOrder::kMonthFirst : DateOrder::kDayFirst;
}

std::tm InternetLobby::SharedNow() const {
  return SharedWallClock(std::chrono::system_clock::to_time_t(std::chrono::system_clock::now()),
                         game_.TimeBias);
}

std::string InternetLobby::DayFile() const {
  return DayFileName(SharedNow());
}

void InternetLobby::LeaveOnline(const QString& message) {
  game_.setup.chkOnline = 0;
  if (onMessage && !message.isEmpty()) onMessage(message);
  if (onLeftOnline) onLeftOnline();
}

void InternetLobby::Fail(const FtpTransfer::Result& result) {
  if (result.outcome == FtpTransfer::Outcome::kCannotConnect && onMasterUnreachable && !statusPage_.empty()) {
    onMasterUnreachable(statusPage_);
    LeaveOnline({});
    return;
  }
  LeaveOnline(FtpMessage(result));
}

void InternetLobby::Prepare(std::function<void()> ready) {
  std::string error;
  const auto access = ReadServersCfg(QDir(folder).filePath("servers.cfg").toStdString(), &error);
  if (!access) {
    LeaveOnline(QString::fromLatin1(error.c_str()));
    return;
  }
  ftp_.SetAccess(*access);
  statusPage_ = access->statusPage;
  const bool known = game_.TimeBias == 0.0 ? clockMeasured_ : game_.TimeBias != -1.0;
  if (known) {
    if (ready) ready();
    return;
  }
  const auto servers = ReadTimeCfg(QDir(folder).filePath("time.cfg").toStdString(), &error);
  if (!servers) {
    LeaveOnline(QString::fromLatin1(error.c_str()));
    return;
  }
  clock_.Measure(*servers, DaytimePort(), [this, ready](std::optional<double> offset) {
    if (!offset) {
      game_.TimeBias = -1.0;
      LeaveOnline(QStringLiteral("Problem Connecting To Time Server. Please Try Again Later"));
      return;
    }
    game_.TimeBias = *offset;
    clockMeasured_ = true;
    if (ready) ready();
  });
}

void InternetLobby::Publish(const std::string& address, std::function<void()> done) {
  const std::tm now = SharedNow();
  const std::string record = WriteServerListRecord(HostRecord(game_.setup, address, now, Country()));
  ftp_.Start(FtpTransfer::Op::kAppend, DayFileName(now),
             QByteArray(record.data(), static_cast<qsizetype>(record.size())),
             [this, done](const FtpTransfer::Result& r) {
               if (r.outcome != FtpTransfer::Outcome::kDone) {
                 Fail(r);
                 return;
               }
               if (done) done();
             });
}

void InternetLobby::Download(std::function<void()> done) {
  ftp_.Start(FtpTransfer::Op::kGet, DayFile(), {}, [this, done](const FtpTransfer::Result& r) {
    if (r.outcome != FtpTransfer::Outcome::kDone && r.outcome != FtpTransfer::Outcome::kMissing) {
      Fail(r);
      return;
    }
    const ServerList list = ReadServerList(
        std::string_view(r.data.constData(), static_cast<size_t>(r.data.size())), SharedNow(), game_);
    if (onList) onList(list);
    if (done) done();
  });
}

void InternetLobby::AppendGameLog(const std::string& line, std::function<void()> done) {
  const std::string text = line + "\r\n";
  ftp_.Start(FtpTransfer::Op::kAppend, "gamelog.txt",
             QByteArray(text.data(), static_cast<qsizetype>(text.size())),
             [done](const FtpTransfer::Result&) {
               // The game has started by now: a lost log line is not told over the first turn.
               if (done) done();
             });
}

}  // namespace zarnath
