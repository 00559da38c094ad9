#include "net/ftp_transfer.h"

#include <curl/curl.h>

#include <QTimer>
#include <algorithm>
#include <cstring>
#include <mutex>

namespace zarnath {

struct FtpTransfer::Request {
  Op op = Op::kGet;
  std::string url;
  QByteArray upload;
  size_t uploaded = 0;
  QByteArray received;
  Done done;
  CURL* easy = nullptr;
  char error[CURL_ERROR_SIZE] = {};
};

namespace {

size_t Receive(char* data, size_t size, size_t count, void* user) {
  static_cast<QByteArray*>(user)->append(data, static_cast<qsizetype>(size * count));
  return size * count;
}

}  // namespace

FtpTransfer::FtpTransfer(QObject* parent) : QObject(parent) {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  multi_ = curl_multi_init();
  poll_ = new QTimer(this);
  poll_->setInterval(10);
  connect(poll_, &QTimer::timeout, this, &FtpTransfer::Poll);
}

FtpTransfer::~FtpTransfer() {
  if (running_ && running_->easy) {
    curl_multi_remove_handle(static_cast<CURLM*>(multi_), running_->easy);
    curl_easy_cleanup(running_->easy);
  }
  curl_multi_cleanup(static_cast<CURLM*>(multi_));
}

bool FtpTransfer::Busy() const {
  return running_ != nullptr || !queue_.empty();
}

void FtpTransfer::Start(Op op, const std::string& remote, QByteArray data, Done done) {
  auto r = std::make_unique<Request>();
  r->op = op;
  std::string base = access_.url;
  if (!base.empty() && base.back() != '/') base += '/';
  r->url = base + remote;
  r->upload = std::move(data);
  r->done = std::move(done);
  queue_.push_back(std::move(r));
  if (!running_) StartNext();
}

void FtpTransfer::StartNext() {
  if (running_ || queue_.empty()) return;
  running_ = std::move(queue_.front());
  queue_.pop_front();
  Request& r = *running_;
  CURL* easy = curl_easy_init();
  r.easy = easy;
  curl_easy_setopt(easy, CURLOPT_URL, r.url.c_str());
  curl_easy_setopt(easy, CURLOPT_USERNAME, access_.user.c_str());
  curl_easy_setopt(easy, CURLOPT_PASSWORD, access_.password.c_str());
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, r.error);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, static_cast<long>(connectTimeoutSeconds));
  curl_easy_setopt(easy, CURLOPT_TIMEOUT, static_cast<long>(transferTimeoutSeconds));
  curl_easy_setopt(easy, CURLOPT_FTP_RESPONSE_TIMEOUT, static_cast<long>(transferTimeoutSeconds));
  if (r.op == Op::kGet) {
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Receive);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &r.received);
  } else {
    curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(easy, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(r.upload.size()));
    curl_easy_setopt(
        easy, CURLOPT_READFUNCTION, +[](char* buffer, size_t size, size_t count, void* user) {
          auto* req = static_cast<Request*>(user);
          const size_t n = std::min(size * count, static_cast<size_t>(req->upload.size()) - req->uploaded);
          std::memcpy(buffer, req->upload.constData() + req->uploaded, n);
          req->uploaded += n;
          return n;
        });
    curl_easy_setopt(easy, CURLOPT_READDATA, &r);
    if (r.op == Op::kAppend) curl_easy_setopt(easy, CURLOPT_APPEND, 1L);
  }
  curl_multi_add_handle(static_cast<CURLM*>(multi_), easy);
  poll_->start();
  Poll();
}

void FtpTransfer::Poll() {
  if (!running_) {
    poll_->stop();
    return;
  }
  auto* multi = static_cast<CURLM*>(multi_);
  int active = 0;
  curl_multi_perform(multi, &active);
  int left = 0;
  while (CURLMsg* msg = curl_multi_info_read(multi, &left)) {
    if (msg->msg != CURLMSG_DONE || !running_ || msg->easy_handle != running_->easy) continue;
    const CURLcode code = msg->data.result;
    std::unique_ptr<Request> r = std::move(running_);
    curl_multi_remove_handle(multi, r->easy);
    curl_easy_cleanup(r->easy);
    r->easy = nullptr;
    Result result;
    result.data = std::move(r->received);
    switch (code) {
      case CURLE_OK:
        result.outcome = Outcome::kDone;
        break;
      case CURLE_REMOTE_FILE_NOT_FOUND:
      case CURLE_FTP_COULDNT_RETR_FILE:
        result.outcome = r->op == Op::kGet ? Outcome::kMissing : Outcome::kFailed;
        break;
      case CURLE_COULDNT_CONNECT:
      case CURLE_COULDNT_RESOLVE_HOST:
      case CURLE_URL_MALFORMAT:
      case CURLE_UNSUPPORTED_PROTOCOL:
        result.outcome = Outcome::kCannotConnect;
        break;
      case CURLE_OPERATION_TIMEDOUT:
        result.outcome = Outcome::kTimedOut;
        break;
      default:
        result.outcome = Outcome::kFailed;
    }
    if (result.outcome != Outcome::kDone)
      result.error = QString::fromLatin1(r->error[0] ? r->error : curl_easy_strerror(code));
    if (queue_.empty()) poll_->stop();
    StartNext();
    if (r->done) r->done(result);  // last: the callback may start further transfers
    return;
  }
}

}  // namespace zarnath
