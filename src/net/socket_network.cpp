#include "net/socket_network.h"

#include <QNetworkInterface>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace zarnath {

SocketNetwork::SocketNetwork(QObject* parent) : QObject(parent) {
  readAgain_ = new QTimer(this);
  readAgain_->setSingleShot(true);
  connect(readAgain_, &QTimer::timeout, this, &SocketNetwork::ReceiveWaiting);
}

SocketNetwork::~SocketNetwork() {
  events_ = nullptr;
  CloseAll();
}

QString ListenFailureText(uint16_t port, const QString& cause) {
  QString text = QStringLiteral("Cannot host on TCP port %1: %2").arg(port).arg(cause);
  if (port < 1024)
    text += QStringLiteral(" (ports below 1024 need root; ZARNATH_PORT moves the game's port)");
  return text;
}

bool SocketNetwork::Listen(uint16_t port, QString* error, const QHostAddress& address) {
  if (server_) server_->close();
  delete server_;
  server_ = new QTcpServer(this);
  if (!server_->listen(address, port)) {
    if (error) *error = ListenFailureText(port, server_->errorString());
    delete server_;
    return false;
  }
  connect(server_, &QTcpServer::newConnection, this, &SocketNetwork::Accept);
  gamePort = server_->serverPort();
  listenAddress_ = address;
  return true;
}

bool SocketNetwork::StartListening(std::string* error) {
  QString cause;
  const bool ok = Listen(gamePort, &cause, listenAddress_);
  if (!ok && error) *error = cause.toLatin1().toStdString();
  return ok;
}

std::string SocketNetwork::LocalAddress() {
  const QString chosen = qEnvironmentVariable("ZARNATH_LOBBY_ADDRESS");
  if (!chosen.isEmpty()) return chosen.toLatin1().toStdString();
  for (const QHostAddress& a : QNetworkInterface::allAddresses())
    if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback()) return a.toString().toStdString();
  return "127.0.0.1";
}

bool SocketNetwork::Listening() {
  return server_ && server_->isListening();
}

uint16_t SocketNetwork::ListeningPort() const {
  return server_ ? server_->serverPort() : 0;
}

void SocketNetwork::Accept() {
  while (server_ && server_->hasPendingConnections()) {
    QTcpSocket* socket = server_->nextPendingConnection();
    int element = 0;
    for (int e = 1; e < kElements && element == 0; ++e)
      if (!sockets_[static_cast<size_t>(e)]) element = e;
    if (element == 0) {
      // Every seat is taken.
      socket->abort();
      socket->deleteLater();
      continue;
    }
    Adopt(element, socket);
    if (events_) events_->ConnectionOpened(element);
  }
}

void SocketNetwork::Adopt(int element, QTcpSocket* socket) {
  Forget(element);
  sockets_[static_cast<size_t>(element)] = socket;
  socket->setParent(this);
  socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
  socket->setReadBufferSize(kReadBuffer);
  connect(socket, &QTcpSocket::readyRead, this, [this, element, socket] { Receive(element, socket); });
  connect(socket, &QTcpSocket::disconnected, this, [this, element, socket] {
    if (sockets_[static_cast<size_t>(element)] == socket) Ended(element, socket);
  });
  connect(socket, &QTcpSocket::errorOccurred, this, [this, element, socket](QAbstractSocket::SocketError) {
    if (sockets_[static_cast<size_t>(element)] != socket) return;
    lastError = socket->errorString();
    if (socket->state() != QAbstractSocket::ConnectedState) Ended(element, socket);
  });
}

void SocketNetwork::Ended(int element, QTcpSocket* socket) {
  // What the peer sent before it closed is still handed over, in order, before the loss: the
  // socket stays in use until its last byte has gone to the receiver.
  if (socket->bytesAvailable() == 0 && !reading_.contains(socket)) {
    Drop(element);
    return;
  }
  ending_.insert(socket);
  if (!reading_.contains(socket)) ReadLater(0);
}

void SocketNetwork::Receive(int element, QTcpSocket* socket) {
  // Qt does not announce data again while this runs (the receiver yields inside it): whatever
  // came meanwhile is read before returning, a piece at a time, while the receiver has room.
  if (reading_.contains(socket)) return;
  reading_.insert(socket);
  while (sockets_[static_cast<size_t>(element)] == socket && socket->bytesAvailable() > 0 &&
         !(holdingClients_ && element != 0)) {
    if (events_ && events_->FramesWaiting(element) >= kMostFramesWaiting) {
      // Read on once the receiver has handled what waits.
      ReadLater(10);
      break;
    }
    const QByteArray data = socket->read(kReadPiece);
    if (events_) events_->DataArrival(element, data.toStdString());
  }
  reading_.remove(socket);
  // What the receiver left for later is handed back at the next pass of the event loop.
  if (events_ && events_->LeftWaiting()) ReadLater(0);
  // Dropped while its signal ran: closed and deleted now that the signal is done with it.
  if (const auto retired = retiredWhileReading_.find(socket); retired != retiredWhileReading_.end()) {
    const bool graceful = retired.value();
    retiredWhileReading_.erase(retired);
    Dispose(socket, graceful);
    return;
  }
  // A connection that ended is lost once everything it brought has gone to the receiver.
  if (sockets_[static_cast<size_t>(element)] == socket && ending_.contains(socket) &&
      socket->bytesAvailable() == 0)
    Drop(element);
}

void SocketNetwork::ReceiveWaiting() {
  ++readAgainPasses;
  if (events_ && events_->LeftWaiting()) events_->HandleLeftWaiting();
  for (int e = 0; e < kElements; ++e) {
    QTcpSocket* socket = sockets_[static_cast<size_t>(e)];
    if (!socket || reading_.contains(socket)) continue;
    if (socket->bytesAvailable() > 0)
      Receive(e, socket);
    else if (ending_.contains(socket))
      Drop(e);
  }
  if (events_ && events_->LeftWaiting()) ReadLater(0);
}

void SocketNetwork::ReadLater(int ms) {
  // A receiver that waits for the yields to end takes nothing before: looking again at every
  // pass of the event loop would only spin.
  if (events_ && events_->LeftUntilYieldsEnd()) return;
  if (!readAgain_->isActive()) readAgain_->start(ms);
}

void SocketNetwork::YieldsEnded() {
  if (events_ && events_->LeftWaiting() && !readAgain_->isActive()) readAgain_->start(0);
}

void SocketNetwork::HoldClientFrames(bool hold) {
  holdingClients_ = hold;
  if (!hold) readAgain_->start(0);  // what waited is read once the start has returned
}

void SocketNetwork::Retire(QTcpSocket* socket, bool graceful) {
  socket->disconnect(this);
  ending_.remove(socket);
  if (reading_.contains(socket))
    retiredWhileReading_.insert(socket, graceful);
  else
    Dispose(socket, graceful);
}

void SocketNetwork::Dispose(QTcpSocket* socket, bool graceful) {
  if (graceful)
    socket->disconnectFromHost();
  else
    socket->abort();
  socket->deleteLater();
}

void SocketNetwork::Drop(int element) {
  QTcpSocket* socket = sockets_[static_cast<size_t>(element)];
  sockets_[static_cast<size_t>(element)] = nullptr;
  Forget(element);
  if (!socket) return;
  const bool wasOpen = socket->property("opened").toBool();
  Retire(socket, false);
  if (events_ && (wasOpen || element != 0)) events_->ConnectionLost(element);
}

void SocketNetwork::Connect(const QString& host, uint16_t port) {
  if (sockets_[0]) Drop(0);
  auto* socket = new QTcpSocket(this);
  Adopt(0, socket);
  connect(socket, &QTcpSocket::connected, this, [this, socket] {
    if (sockets_[0] != socket) return;
    socket->setProperty("opened", true);
    if (events_) events_->ConnectionOpened(0);
  });
  socket->connectToHost(host, port);
}

void SocketNetwork::ConnectToHost() {
  if (onConnectToHost) onConnectToHost();
}

void SocketNetwork::CloseAll() {
  for (int e = 0; e < kElements; ++e) Forget(e);
  for (int e = 0; e < kElements; ++e)
    if (sockets_[static_cast<size_t>(e)]) {
      QTcpSocket* socket = sockets_[static_cast<size_t>(e)];
      sockets_[static_cast<size_t>(e)] = nullptr;
      Retire(socket, false);
    }
  if (server_) server_->close();
  delete server_;
  // Nothing of the closed connections is taken any more, whatever of it still waits.
  for (int e = 0; e < kElements; ++e)
    if (events_) events_->ConnectionClosed(e);
}

int SocketNetwork::SocketCount() {
  return server_ ? kElements : 1;
}

bool SocketNetwork::SocketConnected(int element) {
  if (element < 0 || element >= kElements) return false;
  const QTcpSocket* socket = sockets_[static_cast<size_t>(element)];
  return socket && socket->state() == QAbstractSocket::ConnectedState;
}

void SocketNetwork::SendData(int element, const std::string& message) {
  if (!SocketConnected(element)) return;
  const size_t e = static_cast<size_t>(element);
  if (holding_[e]) {
    held_[e].append(message.data(), static_cast<qsizetype>(message.size()));
    if (held_[e].size() >= kMostHeldBytes) Flush(element);
    return;
  }
  QTcpSocket* socket = sockets_[e];
  socket->write(message.data(), static_cast<qint64>(message.size()));
  // Handed to the system at once: a frame sent just before a blocking pause (the turn's end
  // before the next-player step's announcements) reaches the other machines while this one
  // pauses, not after it.
  socket->flush();
}

void SocketNetwork::HoldSends(int element) {
  if (element >= 0 && element < kElements) holding_[static_cast<size_t>(element)] = true;
}

void SocketNetwork::ReleaseSends(int element) {
  if (element < 0 || element >= kElements) return;
  holding_[static_cast<size_t>(element)] = false;
  Flush(element);
}

void SocketNetwork::Flush(int element) {
  QByteArray& held = held_[static_cast<size_t>(element)];
  if (held.isEmpty()) return;
  if (SocketConnected(element)) {
    QTcpSocket* socket = sockets_[static_cast<size_t>(element)];
    socket->write(held);
    socket->flush();
  }
  held.clear();
}

void SocketNetwork::Forget(int element) {
  held_[static_cast<size_t>(element)].clear();
  holding_[static_cast<size_t>(element)] = false;
}

void SocketNetwork::CloseSocket(int element) {
  if (element == 0 && server_) {
    // Element 0 of a host is its listener: the game has started, no one joins any more.
    server_->close();
    return;
  }
  if (element < 0 || element >= kElements) return;
  if (QTcpSocket* socket = sockets_[static_cast<size_t>(element)]) {
    Flush(element);  // what was kept back still leaves before the connection closes
    Forget(element);
    sockets_[static_cast<size_t>(element)] = nullptr;
    Retire(socket, true);
  }
  // Closed here, or already gone with its loss still waiting in the receiver: nothing of the
  // connection is taken any more.
  if (events_) events_->ConnectionClosed(element);
}

}  // namespace zarnath
