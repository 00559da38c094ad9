// The internet lobby's outside services on 127.0.0.1 for tests: a real FTP master server (Debian's
// pyftpdlib, serving a temporary folder) and a daytime server that answers each connection from a
// script. Each is stopped when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <ctime>
#include <deque>
#include <string>
#include <vector>

#include "net/loopback.h"
#include "persist/text_cipher.h"

namespace zarnath::testing {

inline void WriteCiphered(const QString& path, const std::vector<std::string>& lines) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  for (const auto& line : lines) f.write((Encrypt(line, kSavedGameKey) + "\r\n").c_str());
}

inline QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct MasterServer {
  QTemporaryDir served;   // the master server's files
  QTemporaryDir program;  // the program folder with "servers.cfg" and "time.cfg"
  QProcess process;
  uint16_t port = 0;

  MasterServer() {
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start("/usr/bin/python3",
                  {QStringLiteral(ZARNATH_FIXTURES_DIR "/ftp_server.py"), served.path(), "player", "s3cret"});
    EXPECT_TRUE(process.waitForStarted(10000));
    EXPECT_TRUE(WaitFor(
        [&] {
          if (!process.canReadLine()) return process.state() == QProcess::NotRunning;
          const QByteArray line = process.readLine().trimmed();
          if (line.startsWith("port ")) port = static_cast<uint16_t>(line.mid(5).toInt());
          return port != 0;
        },
        15000));
    EXPECT_NE(port, 0) << process.readAllStandardError().toStdString();
    WriteAccess("ftp://127.0.0.1:" + std::to_string(port) + "/");
  }
  ~MasterServer() {
    process.kill();
    process.waitForFinished(5000);
  }
  // "servers.cfg" naming the master server at `url`, and its status page when one is given.
  void WriteAccess(const std::string& url, const std::string& statusPage = "") {
    std::vector<std::string> lines{url, "player", "s3cret"};
    if (!statusPage.empty()) lines.push_back(statusPage);
    WriteCiphered(program.filePath("servers.cfg"), lines);
  }
  QString File(const QString& name) const { return served.filePath(name); }
};

// Answers the n-th connection with the n-th script: pieces of text sent 100 ms apart, then closes.
// An empty script closes at once.
struct DaytimeServer {
  QTcpServer server;
  std::deque<std::vector<QByteArray>> scripts;
  int connections = 0;

  DaytimeServer() {
    EXPECT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    qputenv("ZARNATH_DAYTIME_PORT", QByteArray::number(server.serverPort()));
    QObject::connect(&server, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* s = server.nextPendingConnection()) {
        ++connections;
        std::vector<QByteArray> pieces;
        if (!scripts.empty()) {
          pieces = scripts.front();
          scripts.pop_front();
        }
        int delay = 0;
        for (const QByteArray& piece : pieces) {
          QTimer::singleShot(delay, s, [s, piece] {
            s->write(piece);
            s->flush();
          });
          delay += 100;
        }
        QTimer::singleShot(delay, s, [s] { s->disconnectFromHost(); });
      }
    });
  }
  ~DaytimeServer() { qunsetenv("ZARNATH_DAYTIME_PORT"); }
};

// "yy-mm-dd hh:mm:ss" of a UTC time.
inline QByteArray DaytimeText(std::time_t utc) {
  std::tm tm{};
  gmtime_r(&utc, &tm);
  char text[32];
  std::strftime(text, sizeof text, "%y-%m-%d %H:%M:%S", &tm);
  return QByteArray(text);
}

}  // namespace zarnath::testing
