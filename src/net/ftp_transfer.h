// FTP transfers to the master server through libcurl, driven by the window thread's event loop:
// a transfer never blocks; windows, timers and sockets keep running while it goes on. Requests
// made while one runs wait their turn and run in order.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "net/lobby_files.h"

class QTimer;

namespace zarnath {

class FtpTransfer : public QObject {
  Q_OBJECT

 public:
  enum class Op { kGet, kPut, kAppend };
  enum class Outcome { kDone, kMissing, kCannotConnect, kTimedOut, kFailed };
  struct Result {
    Outcome outcome = Outcome::kFailed;
    QByteArray data;  // what a GET brought
    QString error;    // the cause, for a failure
  };
  using Done = std::function<void(const Result&)>;

  explicit FtpTransfer(QObject* parent = nullptr);
  ~FtpTransfer() override;

  void SetAccess(const MasterAccess& access) { access_ = access; }
  // GET fetches `remote`; PUT replaces it with `data`; APPEND adds `data` to its end (creating it),
  // so that two writers never lose each other's lines.
  void Start(Op op, const std::string& remote, QByteArray data, Done done);
  bool Busy() const;

  int connectTimeoutSeconds = 10;
  int transferTimeoutSeconds = 30;

 private:
  struct Request;
  void StartNext();
  void Poll();

  MasterAccess access_;
  std::deque<std::unique_ptr<Request>> queue_;
  std::unique_ptr<Request> running_;
  void* multi_ = nullptr;
  QTimer* poll_ = nullptr;
};

}  // namespace zarnath
