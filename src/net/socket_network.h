// The game's sockets over TCP with Qt, run by the window thread's event loop: on a host a
// listening socket (element 0) and up to three client connections (elements 1 to 3, the
// element being the client's seat); on a client one connection to the host (element 0).
// What arrives is handed to the game's receiver as it comes, a bounded piece at a time: a peer
// whose frames pile up in the receiver is not read until they are handled. A connection whose peer
// closes is lost only after everything it sent has gone to the receiver. No socket is closed
// or deleted while its own arrival signal runs; one dropped there goes when the signal returns.
// A connection this machine closes is told to the receiver, which takes nothing more of it.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "model/ports.h"

class QTcpServer;
class QTcpSocket;
class QTimer;

namespace zarnath {

class SocketNetwork : public QObject, public NetworkPort {
  Q_OBJECT

 public:
  explicit SocketNetwork(QObject* parent = nullptr);
  ~SocketNetwork() override;

  // Hosts: listens on `port` of `address` (every address by default). False with the cause in
  // `error` when the port cannot be had (taken, or below 1024 without the right).
  bool Listen(uint16_t port, QString* error, const QHostAddress& address = QHostAddress::Any);
  // Joins: connects element 0 to the host; the connection opens (or fails) in the event loop.
  void Connect(const QString& host, uint16_t port);
  // Closes every socket and stops listening, at once.
  void CloseAll() override;
  bool Listening() override;
  // Listens again where the last Listen did (the game port before any).
  bool StartListening(std::string* error) override;
  // ZARNATH_LOBBY_ADDRESS, else the first outside IPv4 address, else the loopback address.
  std::string LocalAddress() override;
  uint16_t ListeningPort() const;
  // Where StartListening listens when nothing listened before.
  uint16_t gamePort = 330;
  // Joins the host the setup window names, when its Start asks for a connection.
  std::function<void()> onConnectToHost;
  // The cause of the last failed connection, for the window to show.
  QString lastError;

  // NetworkPort
  void SetEvents(NetworkEvents* events) override { events_ = events; }
  int SocketCount() override;
  bool SocketConnected(int element) override;
  void SendData(int element, const std::string& message) override;
  void HoldSends(int element) override;
  void ReleaseSends(int element) override;
  void CloseSocket(int element) override;
  void ConnectToHost() override;
  void StopLobbyTimers() override {
    if (onStopLobbyTimers) onStopLobbyTimers();
  }
  // Stops the join time-out and the host's republishing (set by the program).
  std::function<void()> onStopLobbyTimers;
  void HoldClientFrames(bool hold) override;
  // The platform's last yield has ended: what the receiver left until then is handed back at the
  // event loop's next pass.
  void YieldsEnded();
  // How often what was left waiting was read again, for the tests.
  int readAgainPasses = 0;
  void AppendOnlineGameLog(const std::string& line) override {
    if (onAppendGameLog) onAppendGameLog(line);
  }
  // Sends the internet game's log line to the master server (set by the internet lobby).
  std::function<void(const std::string&)> onAppendGameLog;
  // The internet lobby's publication and refresh (set by the internet lobby).
  void PublishOnline() override {
    if (onPublishOnline) onPublishOnline();
  }
  void RefreshOnlineLobby() override {
    if (onRefreshOnlineLobby) onRefreshOnlineLobby();
  }
  std::function<void()> onPublishOnline, onRefreshOnlineLobby;

  static constexpr int kElements = 4;
  // Held sends leave early once this much is kept back for one connection.
  static constexpr qsizetype kMostHeldBytes = 64 * 1024;
  // A peer with this many frames waiting in the receiver is not read until they are handled.
  static constexpr size_t kMostFramesWaiting = 256;
  // Bytes read from a socket at a time, and what Qt keeps of a socket's unread bytes (the rest
  // waits with the system, and then with the peer).
  static constexpr qint64 kReadPiece = 16 * 1024;
  static constexpr qint64 kReadBuffer = 64 * 1024;

 private:
  void Accept();
  void Adopt(int element, QTcpSocket* socket);
  void Drop(int element);
  // The peer of `element` closed (or the connection failed): lost at once, or once the receiver
  // has had what is still unread.
  void Ended(int element, QTcpSocket* socket);
  // Hands what was kept back for `element` to its socket and lets it leave at once.
  void Flush(int element);
  // Forgets what was kept back for a connection that ends.
  void Forget(int element);
  // The arrival signal of `socket`, element `element`: its bytes to the receiver while it has room.
  void Receive(int element, QTcpSocket* socket);
  // Reads again what was left waiting (held, or the receiver was full).
  void ReceiveWaiting();
  // Reads again `ms` from now, unless the receiver waits for the end of the yields (YieldsEnded).
  void ReadLater(int ms);
  // Takes a socket out of use: closed (gracefully: its last frames are still written) and
  // deleted later; while its own arrival signal runs, both wait until the signal returns.
  void Retire(QTcpSocket* socket, bool graceful);
  static void Dispose(QTcpSocket* socket, bool graceful);

  NetworkEvents* events_ = nullptr;
  QPointer<QTcpServer> server_;
  std::array<QPointer<QTcpSocket>, kElements> sockets_{};
  // Frames kept back while the sends to an element are held.
  std::array<QByteArray, kElements> held_{};
  std::array<bool, kElements> holding_{};
  QHostAddress listenAddress_ = QHostAddress::Any;
  QSet<QTcpSocket*> reading_;                     // sockets whose arrival signal runs now
  QHash<QTcpSocket*, bool> retiredWhileReading_;  // and how to close each once it returns
  QSet<QTcpSocket*> ending_;                      // closed by their peers, with bytes still unread
  bool holdingClients_ = false;
  QTimer* readAgain_ = nullptr;
};

// "Cannot host on TCP port N: cause" with a hint where the port needs root.
QString ListenFailureText(uint16_t port, const QString& cause);

}  // namespace zarnath
