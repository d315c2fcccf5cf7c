// Listening on a class-name socket with Qt's local server.
#include "platform/class_listener.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>
#include <span>

#include "platform/instance.h"

namespace trimora {
namespace {

// A client may send several messages on one connection; more than this unread is refused.
constexpr qint64 kMaximumPending = 64 * static_cast<qint64>(kPostedMessageSize);

// Holds an exclusive lock on "<socket>.lock" while it lives, so that two instances starting
// at the same moment do not both decide that nobody listens.
class StartLock {
 public:
  explicit StartLock(const std::string& socketPath)
      : fd_(open((socketPath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (fd_ >= 0) {
      while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
      }
    }
  }
  ~StartLock() {
    if (fd_ >= 0) close(fd_);
  }
  StartLock(const StartLock&) = delete;
  StartLock& operator=(const StartLock&) = delete;

 private:
  int fd_;
};

}  // namespace

ClassListener::ClassListener(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &ClassListener::TakeConnections);
}

ClassListener::~ClassListener() = default;

bool ClassListener::Listen(const std::string& className) {
  if (server_->isListening()) return false;
  const std::string path = ClassSocketPath(className);
  if (path.empty()) return false;
  StartLock lock(path);
  if (FindWindowByClass(className)) return false;
  // Nobody answers on the socket: what lies there is left from an instance that ended
  // without cleaning up.
  QLocalServer::removeServer(QString::fromStdString(path));
  return server_->listen(QString::fromStdString(path));
}

bool ClassListener::IsListening() const { return server_->isListening(); }

void ClassListener::TakeConnections() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadFrom(socket); });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // Bytes may have arrived (and the sender gone) before the connection was taken.
    ReadFrom(socket);
  }
}

void ClassListener::ReadFrom(QLocalSocket* socket) {
  while (socket->bytesAvailable() >= static_cast<qint64>(kPostedMessageSize)) {
    const QByteArray bytes = socket->read(kPostedMessageSize);
    const auto message = DecodePostedMessage(std::span(
        reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<size_t>(bytes.size())));
    if (!message) {
      socket->abort();
      return;
    }
    emit MessageReceived(message->number, message->parameter);
  }
  if (socket->bytesAvailable() > kMaximumPending) socket->abort();
}

}  // namespace trimora
